#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/ini_encoding.h"
#include "platform/wide_string.h"

namespace platform {

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

}  // namespace platform
