#include "platform/ini_value_edit.h"

#include <string_view>
#include <vector>

#include "platform/ini_syntax.h"

namespace platform {
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

}  // namespace platform
