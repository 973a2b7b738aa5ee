#include "jvm/memory_options.h"

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

bool IsMemoryOption(const WideString& token) {
  WideString prefix = token.substr(0, 4);
  return prefix == L"-Xms" || prefix == L"-Xmx" || prefix == L"-Xss";
}

bool EndsWithShareUnit(const WideString& token) {
  return !token.empty() && WideString(L"PpTt").find(token.back()) != WideString::npos;
}

}  // namespace

void StripQuotes(WideString& token) {
  size_t open = token.find(L'"');
  while (open != WideString::npos) {
    size_t close = token.find(L'"', open + 1);
    if (close == WideString::npos) return;
    if (close + 1 < token.size() && token[close + 1] == L'"') ++close;
    WideString inside = token.substr(open + 1, close - open - 1);
    token.replace(open, close - open + 1, inside);
    open = token.find(L'"', open + inside.size());
  }
}

NumberList ParseNumberList(const WideString& text) {
  NumberList list;
  list.start = text.find_first_of(L"0123456789:");
  if (list.start == WideString::npos) {
    list.start = text.size();
    return list;
  }
  list.numbers.push_back(0);
  for (size_t i = list.start; i + 1 < text.size(); ++i) {
    if (IsDigit(text[i])) {
      list.numbers.back() = list.numbers.back() * 10 + static_cast<uint64_t>(text[i] - L'0');
    } else if (text[i] == L':') {
      list.numbers.push_back(0);
    }
  }
  return list;
}

void RewriteMemoryOption(WideString& token, const platform::MemoryFigures& memory) {
  NumberList list = ParseNumberList(token);
  auto number = [&list](size_t index) { return index < list.numbers.size() ? list.numbers[index] : 0; };
  const uint64_t percent = number(0), minimum = number(1), maximum = number(2);
  const bool physical = token.back() == L'P' || token.back() == L'p';
  const uint64_t kilobytes = (physical ? memory.totalPhysical : memory.availableVirtual) >> 10;
  uint64_t size = static_cast<uint64_t>(static_cast<double>(kilobytes) * (static_cast<double>(percent) / 100.0));
  if (maximum != 0 && size > maximum * 1024) size = maximum * 1024;
  if (minimum * 1024 > size) size = minimum * 1024;
  // Written whole: sizes of 2^31 K and more (an address-space share) stay exact.
  token = token.substr(0, list.start) + std::to_wstring(size) + L"K";
}

uint64_t ParseByteSize(const WideString& text) {
  if (text.empty() || !IsDigit(text[0]) || text.find(L':') != WideString::npos) return 0;
  uint64_t number = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsDigit(text[i])) number = number * 10 + static_cast<uint64_t>(text[i] - L'0');
  }
  switch (text.back()) {
    case L'G':
    case L'g':
      return number << 30;
    case L'M':
    case L'm':
      return number << 20;
    case L'K':
    case L'k':
      return number << 10;
    default:
      return number;
  }
}

void AddVmParameter(WideString token, WideStringList& options, uint64_t& jvmThreadStackSize,
                    MemoryFiguresSource memory) {
  StripQuotes(token);
  if (IsMemoryOption(token) && EndsWithShareUnit(token)) RewriteMemoryOption(token, memory());
  if (token.substr(0, 4) == L"-Xss") jvmThreadStackSize = ParseByteSize(token.substr(4));
  options.push_back(token);
}
