#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace launcher {

// Little-endian numbers in bytes, the project's binary messages and the files
// it reads from outside alike. Every read and write is bounds-checked: one past
// the end reads 0 or writes nothing, and marks the reader or writer as overrun,
// so that a parser checks once after a run of fields and refuses the input
// rather than testing each field (as LLVM's DataExtractor cursor does).
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  bool Has(uint64_t offset, uint64_t length) const {
    return offset <= bytes_.size() && length <= bytes_.size() - offset;
  }
  uint8_t U8(uint64_t offset) const { return Fits(offset, 1) ? Byte(offset) : 0; }
  uint16_t U16(uint64_t offset) const {
    return Fits(offset, 2) ? static_cast<uint16_t>(Byte(offset) | Byte(offset + 1) << 8) : 0;
  }
  uint32_t U32(uint64_t offset) const {
    return Fits(offset, 4) ? uint32_t{U16(offset)} | uint32_t{U16(offset + 2)} << 16 : 0;
  }
  // PNG and big-endian ELF files store their numbers the other way round.
  uint16_t U16BigEndian(uint64_t offset) const {
    return Fits(offset, 2) ? static_cast<uint16_t>(Byte(offset) << 8 | Byte(offset + 1)) : 0;
  }
  uint32_t U32BigEndian(uint64_t offset) const {
    return Fits(offset, 4) ? uint32_t{U16BigEndian(offset)} << 16 | U16BigEndian(offset + 2) : 0;
  }
  // The bytes at offset, or none (and overrun) when they do not all lie inside.
  std::string_view Slice(uint64_t offset, uint64_t length) const {
    return Fits(offset, length) ? bytes_.substr(offset, length) : std::string_view();
  }

  size_t size() const { return bytes_.size(); }
  // Whether any read so far reached past the end.
  bool Overran() const { return overran_; }

 private:
  bool Fits(uint64_t offset, uint64_t length) const {
    if (Has(offset, length)) return true;
    overran_ = true;
    return false;
  }
  uint32_t Byte(uint64_t offset) const { return static_cast<unsigned char>(bytes_[offset]); }

  std::string_view bytes_;
  mutable bool overran_ = false;  // a read is const to its callers; the mark is bookkeeping
};

// Changes numbers in place in bytes of a fixed size (a file being built, a
// shared block); a write that would reach past the end writes nothing.
class ByteWriter {
 public:
  explicit ByteWriter(std::span<char> bytes) : bytes_(bytes) {}

  void PutU16(uint64_t offset, uint16_t value) { Put(offset, value, 2); }
  void PutU32(uint64_t offset, uint32_t value) { Put(offset, value, 4); }
  bool Overran() const { return overran_; }

 private:
  void Put(uint64_t offset, uint32_t value, size_t width) {
    if (offset > bytes_.size() || width > bytes_.size() - offset) {
      overran_ = true;
      return;
    }
    for (size_t i = 0; i < width; ++i) bytes_[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  }

  std::span<char> bytes_;
  bool overran_ = false;
};

// Appending never overruns: the string grows.
inline void AppendU16(std::string& bytes, uint16_t value) {
  bytes.push_back(static_cast<char>(value & 0xFF));
  bytes.push_back(static_cast<char>(value >> 8));
}

inline void AppendU32(std::string& bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Zero bytes up to the next multiple of alignment (a power of two), as binary
// formats align their records.
inline void PadTo(std::string& bytes, size_t alignment) {
  bytes.resize((bytes.size() + alignment - 1) / alignment * alignment, '\0');
}

inline uint64_t AlignUp(uint64_t value, uint64_t alignment) { return (value + alignment - 1) / alignment * alignment; }

}  // namespace launcher
