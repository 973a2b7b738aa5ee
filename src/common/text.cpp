#include "common/text.h"

#include <algorithm>
#include <cwctype>

namespace launcher {

bool EqualsIgnoringCase(const WideString& a, const WideString& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
           return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
         });
}

WideString TrimWhiteSpace(const WideString& text) {
  auto isSpace = [](wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); };
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && isSpace(text[begin])) ++begin;
  while (end > begin && isSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

WideString ReplaceAll(WideString text, wchar_t from, wchar_t to) {
  std::replace(text.begin(), text.end(), from, to);
  return text;
}

WideString WithoutEnclosingQuotes(const WideString& text) {
  const WideString trimmed = TrimWhiteSpace(text);
  if (trimmed.size() >= 2 && trimmed.front() == L'"' && trimmed.back() == L'"') {
    return trimmed.substr(1, trimmed.size() - 2);
  }
  return trimmed;
}

std::optional<uint64_t> ParseDecimal(const WideString& text) {
  if (text.empty()) return std::nullopt;
  uint64_t value = 0;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    const uint64_t digit = static_cast<uint64_t>(c - L'0');
    if (value > (UINT64_MAX - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

}  // namespace launcher
