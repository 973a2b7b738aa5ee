#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// 32-bit numbers as the launcher's binary messages store them: four bytes,
// least significant first.

inline void AppendUint32Le(std::string& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

inline void WriteUint32Le(char* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// bytes holds at least offset + 4 bytes.
inline uint32_t ReadUint32Le(std::string_view bytes, size_t offset) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  return value;
}
