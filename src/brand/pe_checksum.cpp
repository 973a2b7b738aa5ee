#include "brand/pe_checksum.h"

#include "common/little_endian.h"

namespace launcher::brand {

uint32_t PeChecksum(std::string_view file, uint32_t checksumOffset) {
  const ByteReader bytes(file);
  uint64_t sum = 0;
  for (uint64_t at = 0; at < file.size(); at += 2) {
    if (at == checksumOffset || at == checksumOffset + 2) continue;
    sum += bytes.U16(at);  // an odd last byte reads as its own low byte
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<uint32_t>(sum + file.size());
}

}  // namespace launcher::brand
