#pragma once

#include <string>
#include <string_view>

#include "platform/wide_string.h"

namespace launcher::platform {

// ---- Unicode: the encodings met at the edges, UTF-8 (POSIX file names and
// environment, INI files) and UTF-16 (JNI, INI files). Invalid input becomes
// U+FFFD; nothing is dropped silently.

std::string ToUtf8(std::wstring_view text);
WideString FromUtf8(std::string_view bytes);
std::u16string ToUtf16(std::wstring_view text);
WideString FromUtf16(std::u16string_view units);

// UTF-16 as bytes in either order; an odd last byte is ignored.
WideString FromUtf16Bytes(std::string_view bytes, bool bigEndian);
std::string ToUtf16Bytes(std::wstring_view text, bool bigEndian);

// Text stored as bytes: UTF-16LE when it starts with that byte-order mark, else
// UTF-8 (a UTF-8 byte-order mark is skipped).
WideString DecodeText(std::string_view bytes);

// ---- The 8-bit text that the JVM options, class names and narrow interfaces
// take: the thread's ANSI code page on Windows, UTF-8 on POSIX.

std::string ToAnsi(std::wstring_view text);
WideString FromAnsi(std::string_view bytes);

// Makes the system default locale the thread's locale, so ToAnsi uses its code page.
void UseSystemLocaleForThread();

}  // namespace launcher::platform
