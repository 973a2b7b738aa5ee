#pragma once

#include <string_view>

#include "platform/wide_string.h"

// Whether a library image is built for 32-bit x86: a PE image (MZ, PE
// signature) whose machine is i386, or a 32-bit ELF image for x86. Truncated or
// malformed images are not; nothing is read outside the bytes given.
bool IsI386Library(std::string_view image);

// Whether the library file is a 32-bit x86 image; false when it cannot be read.
bool IsI386LibraryFile(const WideString& path);
