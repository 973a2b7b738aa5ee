#pragma once

#include <string>
#include <vector>

namespace launcher {

// The JVM options in the order they are handed to the JVM, each already in the
// 8-bit encoding the JVM takes (the thread's ANSI code page; UTF-8 on POSIX).
using JvmOptionList = std::vector<std::string>;

}  // namespace launcher
