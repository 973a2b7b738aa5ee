#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Bounds-checked little-endian reads of untrusted bytes: a read past the end
// gives 0, so callers check Has() before they rely on a value.
class ByteView {
 public:
  explicit ByteView(std::string_view bytes) : bytes_(bytes) {}

  bool Has(uint64_t offset, uint64_t length) const { return offset <= bytes_.size() && length <= bytes_.size() - offset; }
  uint8_t U8(uint64_t offset) const { return Has(offset, 1) ? static_cast<uint8_t>(bytes_[offset]) : 0; }
  uint16_t U16(uint64_t offset) const { return static_cast<uint16_t>(U8(offset) | (U8(offset + 1) << 8)); }
  uint32_t U32(uint64_t offset) const { return U16(offset) | (static_cast<uint32_t>(U16(offset + 2)) << 16); }
  uint32_t U32BigEndian(uint64_t offset) const {
    return (static_cast<uint32_t>(U8(offset)) << 24) | (U8(offset + 1) << 16) | (U8(offset + 2) << 8) | U8(offset + 3);
  }
  std::string_view Slice(uint64_t offset, uint64_t length) const {
    return Has(offset, length) ? bytes_.substr(offset, length) : std::string_view();
  }
  size_t size() const { return bytes_.size(); }
  std::string_view bytes() const { return bytes_; }

 private:
  std::string_view bytes_;
};

inline void PutU16(std::string& bytes, size_t offset, uint16_t value) {
  bytes[offset] = static_cast<char>(value & 0xFF);
  bytes[offset + 1] = static_cast<char>(value >> 8);
}

inline void PutU32(std::string& bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

inline void AppendU16(std::string& bytes, uint16_t value) {
  bytes.push_back(static_cast<char>(value & 0xFF));
  bytes.push_back(static_cast<char>(value >> 8));
}

inline void AppendU32(std::string& bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Zero bytes up to the next multiple of alignment (a power of two).
inline void PadTo(std::string& bytes, size_t alignment) {
  while (bytes.size() % alignment != 0) bytes.push_back('\0');
}

inline uint64_t AlignUp(uint64_t value, uint64_t alignment) { return (value + alignment - 1) / alignment * alignment; }
