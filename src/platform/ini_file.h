#pragma once

#include <cstdint>

#include "platform/wide_string.h"

namespace platform {

// GetPrivateProfileStringW with the empty string as default: copies the value of
// [section] key of the INI file at path into buffer (size characters, at least 1),
// truncated to size - 1 characters and NUL-terminated; returns the number of
// characters copied. Section and key names match without regard to the case of
// ASCII letters,
// white space around names and values is trimmed and one pair of surrounding
// quotes is removed from a value; a missing file, section or key gives "".
uint32_t ReadIniString(const WideString& section, const WideString& key, wchar_t* buffer, uint32_t size,
                       const WideString& path);

// WritePrivateProfileStringW: sets one key, creating the file and the section when
// missing; every other key keeps its value (Windows rewrites the file's layout,
// POSIX keeps every other line byte for byte). A new file holds Unicode.
bool WriteIniString(const WideString& section, const WideString& key, const WideString& value, const WideString& path);

}  // namespace platform
