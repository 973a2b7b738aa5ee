#pragma once

#include <optional>

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
std::optional<WideString> SectionOf(const WideString& line);

// The key a line sets and its value, both trimmed. A line without "=" is a key
// with an empty value, and a comment line a key that no ordinary name matches.
struct Entry {
  WideString key;
  WideString value;
};
std::optional<Entry> EntryOf(const WideString& line);

// One pair of matching quotes (" or ') around a value is removed.
WideString WithoutQuotes(const WideString& value);

// The lines of a text, cut at CR LF, LF and CR; a last line without a line end
// counts when it is not empty.
WideStringList SplitIniLines(const WideString& text);

// The line that opens the first section of that name (only that one is searched,
// as in Win32), and the first line of the key in it.
std::optional<size_t> FindSection(const WideStringList& lines, const WideString& section);
std::optional<size_t> FindKey(const WideStringList& lines, size_t sectionLine, const WideString& key);

// What reading [section] key gives in a file of these lines: the value of the
// key's first line in the first section of that name, unquoted; nullopt when
// there is none.
std::optional<WideString> LookUpIniValue(const WideStringList& lines, const WideString& section, const WideString& key);

}  // namespace platform::ini
