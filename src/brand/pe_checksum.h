#pragma once

#include <cstdint>
#include <string_view>

namespace launcher::brand {

// The optional header's CheckSum of an image: the 16-bit one's-complement sum
// of the file, the CheckSum field itself read as zero, plus the file's length.
uint32_t PeChecksum(std::string_view file, uint32_t checksumOffset);

}  // namespace launcher::brand
