#include "jvm/memory_options.h"

#include <limits>

namespace launcher::jvm {

namespace {

constexpr uint64_t kLargest = std::numeric_limits<uint64_t>::max();
// The largest count of kilobytes, and of megabytes, whose bytes fit in 64 bits.
constexpr uint64_t kLargestKilobytes = kLargest >> 10;
constexpr uint64_t kLargestMegabytes = kLargest >> 20;

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// number * 10 + digit; false (number unchanged) when that does not fit in 64 bits.
bool AppendDigit(uint64_t& number, wchar_t digit) {
  const uint64_t value = static_cast<uint64_t>(digit - L'0');
  if (number > (kLargest - value) / 10) return false;
  number = number * 10 + value;
  return true;
}

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
      if (!AppendDigit(list.numbers.back(), text[i])) {
        list.overflow = true;
        list.numbers.back() = kLargest;
      }
    } else if (text[i] == L':') {
      list.numbers.push_back(0);
    }
  }
  return list;
}

bool RewriteMemoryOption(WideString& token, const platform::MemoryFigures& memory) {
  NumberList list = ParseNumberList(token);
  auto number = [&list](size_t index) { return index < list.numbers.size() ? list.numbers[index] : 0; };
  const uint64_t percent = number(0), minimum = number(1), maximum = number(2);
  if (list.overflow || minimum > kLargestMegabytes || maximum > kLargestMegabytes) return false;
  const bool physical = token.back() == L'P' || token.back() == L'p';
  const uint64_t kilobytes = (physical ? memory.totalPhysical : memory.availableVirtual) >> 10;
  const double share = static_cast<double>(kilobytes) * (static_cast<double>(percent) / 100.0);
  // Compared as a double before the conversion, which is undefined out of range.
  if (!(share < static_cast<double>(kLargestKilobytes))) return false;
  uint64_t size = static_cast<uint64_t>(share);
  if (maximum != 0 && size > maximum * 1024) size = maximum * 1024;
  if (minimum * 1024 > size) size = minimum * 1024;
  // Written whole: sizes of 2^31 K and more (an address-space share) stay exact.
  token = token.substr(0, list.start) + std::to_wstring(size) + L"K";
  return true;
}

uint64_t ParseByteSize(const WideString& text) {
  if (text.empty() || !IsDigit(text[0]) || text.find(L':') != WideString::npos) return 0;
  uint64_t number = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsDigit(text[i]) && !AppendDigit(number, text[i])) return 0;
  }
  unsigned shift = 0;
  switch (text.back()) {
    case L'G':
    case L'g':
      shift = 30;
      break;
    case L'M':
    case L'm':
      shift = 20;
      break;
    case L'K':
    case L'k':
      shift = 10;
      break;
    default:
      break;
  }
  return number > (kLargest >> shift) ? 0 : number << shift;
}

void AddVmParameter(WideString token, WideStringList& options, uint64_t& jvmThreadStackSize,
                    MemoryFiguresSource memory) {
  StripQuotes(token);
  // A share too large to rewrite reaches the JVM as written; the thread then
  // gets the runtime's default stack rather than the share's digits as bytes.
  const bool unrewritten = IsMemoryOption(token) && EndsWithShareUnit(token) && !RewriteMemoryOption(token, memory());
  if (token.substr(0, 4) == L"-Xss") jvmThreadStackSize = unrewritten ? 0 : ParseByteSize(token.substr(4));
  options.push_back(token);
}

}  // namespace launcher::jvm
