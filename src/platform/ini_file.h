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

// Sets one key of the INI file at path, as SetIniValue (ini_value_edit.h) says:
// the file keeps every other byte, the key and section are added when missing,
// and a missing file is created in kNewIniFileFormat. The file is replaced as
// ReplaceFileContents says, so that a failed write leaves it as it was.
bool WriteIniString(const WideString& section, const WideString& key, const WideString& value, const WideString& path);

}  // namespace platform
