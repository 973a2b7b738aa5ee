#include "platform/ini_syntax.h"

#include <algorithm>
#include <string_view>

namespace platform::ini {
namespace {

wchar_t FoldCase(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

// The searches look at every line for every lookup: views, so that they copy nothing.
std::wstring_view TrimmedView(std::wstring_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool SameNameView(std::wstring_view a, std::wstring_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](wchar_t x, wchar_t y) { return FoldCase(x) == FoldCase(y); });
}

// Most lines are keys: they are told from a section by their first character
// before the rest of the line is looked at.
std::optional<std::wstring_view> SectionNameIn(std::wstring_view line) {
  size_t begin = 0;
  while (begin < line.size() && IsBlank(line[begin])) ++begin;
  if (begin == line.size() || line[begin] != L'[') return std::nullopt;
  const size_t close = line.rfind(L']');
  if (close == std::wstring_view::npos) return std::nullopt;
  return TrimmedView(line.substr(begin + 1, close - begin - 1));
}

std::optional<std::wstring_view> KeyNameIn(std::wstring_view line) {
  if (std::all_of(line.begin(), line.end(), IsBlank)) return std::nullopt;
  return TrimmedView(line.substr(0, line.find(L'=')));
}

}  // namespace

bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x1A; }

WideString Trim(const WideString& text) { return WideString(TrimmedView(text)); }

bool SameName(const WideString& a, const WideString& b) { return SameNameView(a, b); }

std::optional<WideString> SectionOf(const WideString& line) {
  const std::optional<std::wstring_view> name = SectionNameIn(line);
  if (!name) return std::nullopt;
  return WideString(*name);
}

std::optional<Entry> EntryOf(const WideString& line) {
  if (Trim(line).empty()) return std::nullopt;
  const size_t equals = line.find(L'=');
  if (equals == WideString::npos) return Entry{Trim(line), WideString()};
  return Entry{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

WideString WithoutQuotes(const WideString& value) {
  if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0]) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

WideStringList SplitIniLines(const WideString& text) {
  WideStringList lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of(L"\r\n", start);
    if (end == WideString::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n' ? 2 : 1);
  }
  return lines;
}

std::optional<size_t> FindSection(const WideStringList& lines, const WideString& section) {
  const std::wstring_view wanted = TrimmedView(section);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::optional<std::wstring_view> name = SectionNameIn(lines[i]);
    if (name && SameNameView(*name, wanted)) return i;
  }
  return std::nullopt;
}

std::optional<size_t> FindKey(const WideStringList& lines, size_t sectionLine, const WideString& key) {
  const std::wstring_view wanted = TrimmedView(key);
  for (size_t i = sectionLine + 1; i < lines.size() && !SectionNameIn(lines[i]); ++i) {
    const std::optional<std::wstring_view> name = KeyNameIn(lines[i]);
    if (name && SameNameView(*name, wanted)) return i;
  }
  return std::nullopt;
}

std::optional<WideString> LookUpIniValue(const WideStringList& lines, const WideString& section,
                                         const WideString& key) {
  const std::optional<size_t> sectionLine = FindSection(lines, section);
  if (!sectionLine) return std::nullopt;
  const std::optional<size_t> keyLine = FindKey(lines, *sectionLine, key);
  if (!keyLine) return std::nullopt;
  return WithoutQuotes(EntryOf(lines[*keyLine])->value);
}

}  // namespace platform::ini
