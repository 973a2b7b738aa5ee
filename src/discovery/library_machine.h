#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/wide_string.h"

namespace launcher::discovery {

// Whether a library image is built for 32-bit x86: a PE image (MZ, PE
// signature) whose machine is i386, or a 32-bit ELF image for x86. Truncated or
// malformed images are not; nothing is read outside the bytes given.
bool IsI386Library(std::string_view image);

// Whether the library file is a 32-bit x86 image; false when it cannot be read.
bool IsI386LibraryFile(const WideString& path);

// The machine field of a PE image or of an ELF image's header; nullopt for
// bytes that are neither (or cut short).
enum class ImageFormat { Pe, Elf };
struct ImageMachine {
  ImageFormat format = ImageFormat::Pe;
  uint16_t machine = 0;
};
std::optional<ImageMachine> MachineOfImage(std::string_view image);

// Whether a library image is built for another machine than this launcher's
// (an ARM64 library for an x86-64 launcher, a 32-bit one). Bytes that are no
// image are not: loading them says what is wrong.
bool IsForeignLibrary(std::string_view image);
bool IsForeignLibraryFile(const WideString& path);

}  // namespace launcher::discovery
