#include "ui/anchor_colour.h"

namespace launcher::ui {

namespace {

bool IsSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

// What _wtoi makes of the text: white space and a sign, then digits up to the
// first non-digit.
uint32_t LeadingNumber(const WideString& text) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  uint32_t value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) value = value * 10 + (text[i] - L'0');
  return negative ? 0u - value : value;
}

}  // namespace

std::optional<uint32_t> ParseAnchorColour(const WideString& text) {
  if (text.size() > kAnchorColourMaxLength) return std::nullopt;
  const size_t first = text.find(L',');
  if (first == WideString::npos) return std::nullopt;
  const size_t second = text.find(L',', first + 1);
  if (second == WideString::npos || second + 1 == text.size()) return std::nullopt;
  const uint32_t red = LeadingNumber(text.substr(0, first)) & 0xFF;
  const uint32_t green = LeadingNumber(text.substr(first + 1, second - first - 1)) & 0xFF;
  const uint32_t blue = LeadingNumber(text.substr(second + 1)) & 0xFF;
  return red | green << 8 | blue << 16;
}

}  // namespace launcher::ui
