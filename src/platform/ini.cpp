#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/ini.h"
#include "platform/ini_format.h"
#include "platform/text.h"

namespace launcher::platform {

// ---- Encodings
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

std::string EncodeLossily(const WideString& text, IniEncoding encoding, const AnsiCodec& ansi) {
  switch (encoding) {
    case IniEncoding::Utf8Bom:
      return ToUtf8(text);
    case IniEncoding::Utf16Le:
      return ToUtf16Bytes(text, false);
    case IniEncoding::Utf16Be:
      return ToUtf16Bytes(text, true);
    case IniEncoding::Ansi:
      break;
  }
  return ansi.encode(text);
}

IniEncoding DetectIniEncoding(std::string_view file) {
  if (file.starts_with(kUtf8Bom)) return IniEncoding::Utf8Bom;
  if (file.starts_with(kUtf16LeBom)) return IniEncoding::Utf16Le;
  if (file.starts_with(kUtf16BeBom)) return IniEncoding::Utf16Be;
  return IniEncoding::Ansi;
}

std::string_view ByteOrderMarkOf(IniEncoding encoding) {
  switch (encoding) {
    case IniEncoding::Utf8Bom:
      return kUtf8Bom;
    case IniEncoding::Utf16Le:
      return kUtf16LeBom;
    case IniEncoding::Utf16Be:
      return kUtf16BeBom;
    case IniEncoding::Ansi:
      break;
  }
  return {};
}

WideString DecodeIniBytes(std::string_view bytes, IniEncoding encoding, const AnsiCodec& ansi) {
  switch (encoding) {
    case IniEncoding::Utf8Bom:
      return FromUtf8(bytes);
    case IniEncoding::Utf16Le:
      return FromUtf16Bytes(bytes, false);
    case IniEncoding::Utf16Be:
      return FromUtf16Bytes(bytes, true);
    case IniEncoding::Ansi:
      break;
  }
  return ansi.decode(bytes);
}

// A code page without a character, or a text that is no valid Unicode, would
// store something else than the text: it is refused rather than altered.
std::optional<std::string> EncodeIniText(const WideString& text, IniEncoding encoding, const AnsiCodec& ansi) {
  std::string bytes = EncodeLossily(text, encoding, ansi);
  if (DecodeIniBytes(bytes, encoding, ansi) != text) return std::nullopt;
  return bytes;
}

}  // namespace

AnsiCodec SystemAnsiCodec() {
  return {[](std::string_view bytes) { return FromAnsi(bytes); }, [](const WideString& text) { return ToAnsi(text); }};
}

WideString DecodeIniFile(std::string_view file, const AnsiCodec& ansi) {
  const IniEncoding encoding = DetectIniEncoding(file);
  return DecodeIniBytes(file.substr(ByteOrderMarkOf(encoding).size()), encoding, ansi);
}

// ---- Lines

namespace ini {
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

}  // namespace ini

// ---- Reading

IniLines::IniLines(WideString text)
    : text_(std::make_unique<const WideString>(std::move(text))), lines_(ini::SplitIniLines(*text_)) {}

WideString IniLines::Value(const WideString& section, const WideString& key) const {
  return ini::LookUpIniValue(lines_, section, key).value_or(WideString());
}

IniLines IniLinesOfBytes(std::string_view file, const AnsiCodec& ansi) { return IniLines(DecodeIniFile(file, ansi)); }

// ---- Writing
namespace {

// A file's bytes seen as code units: bytes, or UTF-16 units. The characters
// that shape an INI file (line ends, blanks, "=") are ASCII, and no unit of a
// multi-unit character equals one of them in UTF-8, UTF-16 or the ANSI code
// pages, so lines and values can be cut at unit boundaries without decoding.
struct UnitView {
  std::string_view file;
  IniEncoding encoding;
  size_t unit;  // bytes per unit

  unsigned At(size_t offset) const {
    const auto byte = [this](size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(file[i])); };
    if (unit == 1) return byte(offset);
    return encoding == IniEncoding::Utf16Le ? byte(offset) | byte(offset + 1) << 8
                                            : byte(offset) << 8 | byte(offset + 1);
  }
};

// One line: its text runs from begin to contentEnd, its line end (none for a
// last line without one) from contentEnd to end. Offsets are in bytes.
struct ByteLine {
  size_t begin;
  size_t contentEnd;
  size_t end;
};

std::vector<ByteLine> SplitByteLines(const UnitView& view, size_t start) {
  std::vector<ByteLine> lines;
  size_t lineStart = start;
  size_t offset = start;
  while (offset < view.file.size()) {
    const unsigned unit = view.At(offset);
    offset += view.unit;
    if (unit != '\r' && unit != '\n') continue;
    const size_t contentEnd = offset - view.unit;
    if (unit == '\r' && offset < view.file.size() && view.At(offset) == '\n') offset += view.unit;
    lines.push_back({lineStart, contentEnd, offset});
    lineStart = offset;
  }
  if (lineStart < view.file.size()) lines.push_back({lineStart, view.file.size(), view.file.size()});
  return lines;
}

bool IsBlankUnit(unsigned unit) { return unit < 0x10000 && ini::IsBlank(static_cast<wchar_t>(unit)); }

bool HasAny(const WideString& text, const WideString& characters) {
  return text.find_first_of(characters) != WideString::npos;
}

// Whether reading can give the setting back from a file: names and values live
// on one line, a key ends at its "=", and a line starting with "[" opens a section.
bool CanBeStored(const WideString& section, const WideString& key, const WideString& value) {
  static const WideString kLineBreaks(L"\r\n\0", 3);
  const WideString name = ini::Trim(key);
  return !HasAny(section, kLineBreaks) && !HasAny(key, kLineBreaks) && !HasAny(value, kLineBreaks) && !name.empty() &&
         name.find(L'=') == WideString::npos && name[0] != L'[';
}

// Reading trims a value and takes one pair of quotes off it.
WideString StoredForm(const WideString& value) {
  if (value.empty()) return value;
  const bool blankEnds = ini::IsBlank(value.front()) || ini::IsBlank(value.back());
  const bool quoted =
      value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front();
  return blankEnds || quoted ? L"\"" + value + L"\"" : value;
}

class Editor {
 public:
  Editor(const UnitView& view, const AnsiCodec& ansi, const IniFileFormat& newFile) : view_(view), ansi_(ansi) {
    lines_ = SplitByteLines(view_, ByteOrderMarkOf(view_.encoding).size());
    for (const ByteLine& line : lines_) texts_.push_back(Decode(line.begin, line.contentEnd));
    views_.assign(texts_.begin(), texts_.end());
    lineEnd_ = newFile.lineEnd;
    if (!lines_.empty() && lines_[0].contentEnd != lines_[0].end) {
      lineEnd_ = Decode(lines_[0].contentEnd, lines_[0].end);
    }
  }
  // views_ look into texts_: a copy would look into the original's.
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  std::optional<std::string> Set(const WideString& section, const WideString& key, const WideString& value) {
    const std::optional<size_t> sectionLine = ini::FindSection(views_, section);
    if (!sectionLine) return AddSection(ini::Trim(section), ini::Trim(key), value);
    const std::optional<size_t> keyLine = ini::FindKey(views_, *sectionLine, key);
    if (!keyLine) return AddKey(*sectionLine, ini::Trim(key), value);
    return ReplaceValue(lines_[*keyLine], value);
  }

 private:
  WideString Decode(size_t begin, size_t end) const {
    return DecodeIniBytes(view_.file.substr(begin, end - begin), view_.encoding, ansi_);
  }

  std::optional<std::string> Splice(size_t begin, size_t end, const WideString& text) const {
    std::optional<std::string> bytes = EncodeIniText(text, view_.encoding, ansi_);
    if (!bytes) return std::nullopt;
    return std::string(view_.file.substr(0, begin)) + *bytes + std::string(view_.file.substr(end));
  }

  // Inserts whole lines after a line; a last line without a line end gets one
  // first, and the file then ends without one as before.
  std::optional<std::string> InsertAfter(size_t offset, bool lineEnded, const WideString& lines) const {
    return Splice(offset, offset, lineEnded ? lines + lineEnd_ : lineEnd_ + lines);
  }

  std::optional<std::string> AddSection(const WideString& section, const WideString& key,
                                        const WideString& value) const {
    const WideString lines = L"[" + section + L"]" + lineEnd_ + key + L"=" + StoredForm(value);
    if (lines_.empty()) return InsertAfter(view_.file.size(), true, lines);
    const ByteLine& last = lines_.back();
    return InsertAfter(last.end, last.contentEnd != last.end, lines);
  }

  std::optional<std::string> AddKey(size_t sectionLine, const WideString& key, const WideString& value) const {
    size_t after = sectionLine;
    for (size_t i = sectionLine + 1; i < lines_.size() && !ini::SectionOf(texts_[i]); ++i) {
      if (!ini::Trim(texts_[i]).empty()) after = i;
    }
    const ByteLine& line = lines_[after];
    return InsertAfter(line.end, line.contentEnd != line.end, key + L"=" + StoredForm(value));
  }

  // The old value runs from the first character after "=" and its blanks to the
  // last character that is no blank; a line without "=" gets one after its key.
  std::optional<std::string> ReplaceValue(const ByteLine& line, const WideString& value) const {
    size_t equals = line.begin;
    while (equals < line.contentEnd && view_.At(equals) != '=') equals += view_.unit;
    if (equals == line.contentEnd) {
      size_t keyEnd = line.contentEnd;
      while (keyEnd > line.begin && IsBlankUnit(view_.At(keyEnd - view_.unit))) keyEnd -= view_.unit;
      return Splice(keyEnd, keyEnd, L"=" + StoredForm(value));
    }
    size_t start = equals + view_.unit;
    while (start < line.contentEnd && IsBlankUnit(view_.At(start))) start += view_.unit;
    size_t end = line.contentEnd;
    while (end > start && IsBlankUnit(view_.At(end - view_.unit))) end -= view_.unit;
    return Splice(start, end, StoredForm(value));
  }

  UnitView view_;
  const AnsiCodec& ansi_;
  std::vector<ByteLine> lines_;
  WideStringList texts_;
  std::vector<std::wstring_view> views_;
  WideString lineEnd_;
};

}  // namespace

std::optional<std::string> SetIniValue(std::string_view file, const WideString& section, const WideString& key,
                                       const WideString& value, const AnsiCodec& ansi, const IniFileFormat& newFile) {
  if (!CanBeStored(section, key, value)) return std::nullopt;
  // An empty file has nothing to keep: it is written as a new one.
  if (file.empty()) file = ByteOrderMarkOf(newFile.encoding);
  UnitView view{file, DetectIniEncoding(file), 1};
  if (view.encoding == IniEncoding::Utf16Le || view.encoding == IniEncoding::Utf16Be) view.unit = 2;
  if (file.size() % view.unit != 0) return std::nullopt;
  return Editor(view, ansi, newFile).Set(section, key, value);
}

SystemStatus WriteIniValue(const WideString& path, const WideString& section, const WideString& key,
                           const WideString& value) {
  SystemResult<std::string> file = ReadWholeFile(path);
  // A file that is there but cannot be read must not be replaced by one that
  // holds nothing but this key.
  if (!file && !IsNotFound(file.error())) return file.error();
  const std::string old = file ? std::move(*file) : std::string();
  const std::optional<std::string> edited = SetIniValue(old, section, key, value, SystemAnsiCodec(), kNewIniFileFormat);
  if (!edited) return kSettingNotStorable;
  if (file && *edited == old) return Done{};
  return ReplaceFileContents(path, *edited);
}

}  // namespace launcher::platform
