#include "platform/ini_syntax.h"

#include <algorithm>

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

size_t FirstNonBlank(std::wstring_view line) {
  size_t begin = 0;
  while (begin < line.size() && IsBlank(line[begin])) ++begin;
  return begin;
}

// The name of the section a line opens, told from its first character that is
// not blank: most lines are keys, and the rest of them is not looked at.
std::optional<std::wstring_view> SectionNameAt(std::wstring_view line, size_t begin) {
  if (begin == line.size() || line[begin] != L'[') return std::nullopt;
  const size_t close = line.rfind(L']');
  if (close == std::wstring_view::npos) return std::nullopt;
  return TrimmedView(line.substr(begin + 1, close - begin - 1));
}

std::optional<std::wstring_view> SectionNameIn(std::wstring_view line) {
  return SectionNameAt(line, FirstNonBlank(line));
}

std::wstring_view WithoutQuotes(std::wstring_view value) {
  if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0]) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::wstring_view ValueIn(std::wstring_view line) {
  const size_t equals = line.find(L'=');
  if (equals == std::wstring_view::npos) return {};
  return WithoutQuotes(TrimmedView(line.substr(equals + 1)));
}

}  // namespace

bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x1A; }

WideString Trim(const WideString& text) { return WideString(TrimmedView(text)); }

bool SameName(const WideString& a, const WideString& b) { return SameNameView(a, b); }

std::optional<WideString> SectionOf(std::wstring_view line) {
  const std::optional<std::wstring_view> name = SectionNameIn(line);
  if (!name) return std::nullopt;
  return WideString(*name);
}

// Its leading blanks are passed once for all three questions.
Line LineOf(std::wstring_view line) {
  const size_t begin = FirstNonBlank(line);
  if (begin == line.size()) return {.kind = Line::Kind::Blank};
  if (const std::optional<std::wstring_view> section = SectionNameAt(line, begin)) {
    return {.kind = Line::Kind::Section, .name = *section};
  }
  return {.kind = Line::Kind::Key, .name = TrimmedView(line.substr(begin, line.find(L'=', begin) - begin))};
}

// A line ends at the nearer of the next CR and the next LF. Each is searched
// for again only once it is passed, so the text is read by two quick scans
// rather than tested character by character against both.
LineViews SplitIniLines(std::wstring_view text) {
  LineViews lines;
  size_t nextCr = text.find(L'\r');
  size_t nextLf = text.find(L'\n');
  size_t start = 0;
  while (start < text.size()) {
    if (nextCr < start) nextCr = text.find(L'\r', start);
    if (nextLf < start) nextLf = text.find(L'\n', start);
    const size_t end = std::min(nextCr, nextLf);
    if (end == std::wstring_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (end == nextCr && nextLf == end + 1 ? 2 : 1);
  }
  return lines;
}

std::optional<size_t> FindSection(std::span<const std::wstring_view> lines, const WideString& section) {
  const std::wstring_view wanted = TrimmedView(section);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::optional<std::wstring_view> name = SectionNameIn(lines[i]);
    if (name && SameNameView(*name, wanted)) return i;
  }
  return std::nullopt;
}

std::optional<size_t> FindKey(std::span<const std::wstring_view> lines, size_t sectionLine, const WideString& key) {
  const std::wstring_view wanted = TrimmedView(key);
  for (size_t i = sectionLine + 1; i < lines.size(); ++i) {
    const Line line = LineOf(lines[i]);
    if (line.kind == Line::Kind::Section) break;
    if (line.kind == Line::Kind::Key && SameNameView(line.name, wanted)) return i;
  }
  return std::nullopt;
}

std::optional<WideString> LookUpIniValue(std::span<const std::wstring_view> lines, const WideString& section,
                                         const WideString& key) {
  const std::optional<size_t> sectionLine = FindSection(lines, section);
  if (!sectionLine) return std::nullopt;
  const std::optional<size_t> keyLine = FindKey(lines, *sectionLine, key);
  if (!keyLine) return std::nullopt;
  return WideString(ValueIn(lines[*keyLine]));
}

}  // namespace platform::ini
