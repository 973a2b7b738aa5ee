#pragma once

#include <string>
#include <string_view>

#include "platform/wide_string.h"

namespace platform {

// The 8-bit text that the JVM options, class names and narrow interfaces take:
// the thread's ANSI code page on Windows, UTF-8 on POSIX.
std::string ToAnsi(std::wstring_view text);
WideString FromAnsi(std::string_view bytes);

// Makes the system default locale the thread's locale, so ToAnsi uses its code page.
void UseSystemLocaleForThread();

}  // namespace platform
