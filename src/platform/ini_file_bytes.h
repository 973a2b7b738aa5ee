#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ini_encoding.h"
#include "platform/wide_string.h"

namespace platform {

// The POSIX reading of ReadIniString (ini_file.h) on the bytes of a file already in
// memory: the file's lines (in which ini::LookUpIniValue finds a value), and
// the value of [section] key, "" when there is none.
WideStringList IniLinesOfBytes(std::string_view file, const AnsiCodec& ansi);
WideString IniValueInLines(const WideStringList& lines, const WideString& section, const WideString& key);

// Copies value into buffer (size characters) as ReadIniString does: truncated
// to size - 1 characters and NUL-terminated; the number of characters copied.
uint32_t CopyIniValue(const WideString& value, wchar_t* buffer, uint32_t size);

}  // namespace platform
