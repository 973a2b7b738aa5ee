#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/wide_string.h"

namespace platform::ini {

// How GetPrivateProfileStringW reads the lines of an INI file, for our own reader
// and for the writer, which must find a key exactly where reading finds it.

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

}  // namespace platform::ini
