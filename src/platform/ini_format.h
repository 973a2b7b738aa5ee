#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/expected.h"
#include "platform/wide_string.h"

namespace launcher::platform {

// The INI format as GetPrivateProfileStringW reads it, on bytes in memory: the
// IniFile of ini.h reads with it on POSIX, and its writer edits files with it
// on both systems, so that it finds a key exactly where reading finds it.

// ---- Encodings

// How a settings file stores its text: the byte-order mark it starts with, or
// none, when it is in the system's 8-bit code page (ANSI on Windows, UTF-8 on
// POSIX).
enum class IniEncoding { Ansi, Utf8Bom, Utf16Le, Utf16Be };

// The 8-bit code page of a file without a byte-order mark.
struct AnsiCodec {
  std::function<WideString(std::string_view bytes)> decode;
  std::function<std::string(const WideString& text)> encode;
};

// The system's: the thread's ANSI code page on Windows, UTF-8 on POSIX.
AnsiCodec SystemAnsiCodec();

// A whole file's text, its byte-order mark left out.
WideString DecodeIniFile(std::string_view file, const AnsiCodec& ansi);

// What a settings file that does not exist yet is written as (the system's choice).
struct IniFileFormat {
  IniEncoding encoding;
  const wchar_t* lineEnd;
};
extern const IniFileFormat kNewIniFileFormat;

// The system's error for a setting that a file cannot hold.
extern const SystemError kSettingNotStorable;

// ---- Lines

namespace ini {

// White space as the Win32 functions see it, ^Z (the DOS end of file) included.
bool IsBlank(wchar_t c);
WideString Trim(const WideString& text);

// Section and key names match with ASCII letters folded (as in the Win32
// functions we are tested against; towlower would depend on the locale).
bool SameName(const WideString& a, const WideString& b);

// The section a line opens: the trimmed text between "[" and the last "]". A
// line with no closing bracket opens none; it is a key of the section above.
std::optional<WideString> SectionOf(std::wstring_view line);

// What a line is to reading: blank, the start of a section, or a key (the
// trimmed text before its first "="; a line without "=" is a key with an empty
// value, and a comment line a key that no ordinary name matches). The name is
// a view into the line.
struct Line {
  enum class Kind { Blank, Section, Key } kind;
  std::wstring_view name = {};
};
Line LineOf(std::wstring_view line);

// The lines of a text, cut at CR LF, LF and CR; a last line without a line end
// counts when it is not empty. They are views into the text, which must
// outlive them: every lookup reads all of a file's lines, and a start looks
// into a file some fifty times.
using LineViews = std::vector<std::wstring_view>;
LineViews SplitIniLines(std::wstring_view text);

// The line that opens the first section of that name (only that one is searched,
// as in Win32), and the first line of the key in it.
std::optional<size_t> FindSection(std::span<const std::wstring_view> lines, const WideString& section);
std::optional<size_t> FindKey(std::span<const std::wstring_view> lines, size_t sectionLine, const WideString& key);

// What reading [section] key gives in a file of these lines: the value of the
// key's first line in the first section of that name, trimmed, without one
// pair of quotes (" or ') around it; nullopt when there is none.
std::optional<WideString> LookUpIniValue(std::span<const std::wstring_view> lines, const WideString& section,
                                         const WideString& key);

}  // namespace ini

// ---- Reading

// A file's decoded text and its lines, which are views into the text rather
// than a copy each.
class IniLines {
 public:
  explicit IniLines(WideString text);
  std::span<const std::wstring_view> lines() const { return lines_; }

  // The value of [section] key, "" when there is none.
  WideString Value(const WideString& section, const WideString& key) const;

 private:
  // A block of its own, so that the views stay valid when the object moves.
  std::unique_ptr<const WideString> text_;
  std::vector<std::wstring_view> lines_;
};

IniLines IniLinesOfBytes(std::string_view file, const AnsiCodec& ansi);

// ---- Writing

// The bytes of an INI file after setting [section] key to value, where reading
// (GetPrivateProfileStringW, or our reader) then finds exactly that value:
//   - a key that is there gets the new value in place of its old one; the line
//     keeps its own spelling, spacing and line end;
//   - a missing key is added after the last line of its section that holds
//     anything, a missing section at the end of the file;
//   - every other byte stays as it was: the encoding and its byte-order mark,
//     comments, blank lines, order, line ends, a last line without one.
// A value with blanks at its ends, or between a pair of quotes, is written
// quoted so that reading gives it back whole. An empty file is written in
// newFile's format. Nothing is returned (and nothing is to be written) when the
// file cannot hold the setting: a line break or NUL in a name or the value, an
// empty key or one with "=" or a leading "[", a character that the file's
// encoding cannot store, or a UTF-16 file of an odd number of bytes.
std::optional<std::string> SetIniValue(std::string_view file, const WideString& section, const WideString& key,
                                       const WideString& value, const AnsiCodec& ansi, const IniFileFormat& newFile);

}  // namespace launcher::platform
