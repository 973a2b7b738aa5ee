#pragma once

#include <cstdint>

namespace platform {

// LoadStringW on the executable's string table: copies the string with that id
// into buffer (size characters), truncated to size - 1, NUL-terminated; returns
// its length in characters, 0 when the id is missing.
int LoadResourceString(uint32_t id, wchar_t* buffer, int size);

}  // namespace platform
