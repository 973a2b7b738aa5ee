#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace launcher {

// FNV-1a, 64 bits: stable across builds and systems, which the names and keys
// made from it must be.
class Fnv1a64 {
 public:
  Fnv1a64& Mix(std::string_view bytes);
  uint64_t Value() const { return hash_; }

 private:
  uint64_t hash_ = 0xCBF29CE484222325ull;
};

// The value as sixteen lower-case hexadecimal digits.
std::string HexDigits(uint64_t value);

}  // namespace launcher
