#pragma once

#include <string>
#include <vector>

namespace launcher {

// Every path, setting value, message and argument. UTF-16 on Windows, where it
// meets the W functions directly; UTF-32 on POSIX, converted at the platform edges.
using WideString = std::wstring;
using WideStringList = std::vector<WideString>;

}  // namespace launcher
