#include "platform/ini_syntax.h"

#include <algorithm>

namespace platform::ini {
namespace {

wchar_t FoldCase(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

}  // namespace

bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x1A; }

WideString Trim(const WideString& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool SameName(const WideString& a, const WideString& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](wchar_t x, wchar_t y) { return FoldCase(x) == FoldCase(y); });
}

std::optional<WideString> SectionOf(const WideString& line) {
  const WideString trimmed = Trim(line);
  const size_t close = trimmed.rfind(L']');
  if (trimmed.empty() || trimmed[0] != L'[' || close == WideString::npos) return std::nullopt;
  return Trim(trimmed.substr(1, close - 1));
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
  WideString line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\r' && text[i] != L'\n') {
      line += text[i];
      continue;
    }
    lines.push_back(line);
    line.clear();
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::optional<size_t> FindSection(const WideStringList& lines, const WideString& section) {
  const WideString wanted = Trim(section);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::optional<WideString> name = SectionOf(lines[i]);
    if (name && SameName(*name, wanted)) return i;
  }
  return std::nullopt;
}

std::optional<size_t> FindKey(const WideStringList& lines, size_t sectionLine, const WideString& key) {
  const WideString wanted = Trim(key);
  for (size_t i = sectionLine + 1; i < lines.size() && !SectionOf(lines[i]); ++i) {
    const std::optional<Entry> entry = EntryOf(lines[i]);
    if (entry && SameName(entry->key, wanted)) return i;
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
