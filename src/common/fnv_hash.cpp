#include "common/fnv_hash.h"

namespace launcher {

Fnv1a64& Fnv1a64::Mix(std::string_view bytes) {
  for (unsigned char byte : bytes) {
    hash_ ^= byte;
    hash_ *= 0x100000001B3ull;
  }
  return *this;
}

std::string HexDigits(uint64_t value) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, value >>= 4) text[static_cast<size_t>(i)] = kDigits[value & 0xF];
  return text;
}

}  // namespace launcher
