#include "instance/shared_block.h"

#include <atomic>
#include <optional>

#include "common/little_endian.h"
#include "instance/argument_area.h"
#include "instance/argument_packet.h"

namespace launcher::instance {

BlockHeader ReadBlockHeader(std::string_view block) {
  const ByteReader header(block);
  return {header.U32(0), header.U32(4), header.U32(8)};
}

void WriteBlockHeader(char* block, const BlockHeader& header) {
  ByteWriter fields(std::span<char>(block, kArgumentAreaOffset));
  fields.PutU32(0, header.messageThreadId);
  fields.PutU32(4, header.processId);
  fields.PutU32(8, header.messageId);
}

ForwardedBytes PackArguments(const WideStringList& arguments) {
  if (std::optional<std::string> area = EncodeArgumentArea(arguments)) return {true, std::move(*area)};
  return {false, EncodeArgumentPacket(arguments, PacketText::Utf16)};
}

uint32_t NextHandOffNumber(uint32_t word) {
  const uint32_t next = ((word & ~kHandOffTaken) + 1) & ~kHandOffTaken;
  return next == 0 ? 1 : next;
}

HandOffWord::HandOffWord(char* block) : word_(reinterpret_cast<uint32_t*>(block + kHandOffWordOffset)) {}

uint32_t HandOffWord::Load() const { return std::atomic_ref<uint32_t>(*word_).load(); }

void HandOffWord::Store(uint32_t value) { std::atomic_ref<uint32_t>(*word_).store(value); }

bool HandOffWord::Replace(uint32_t expected, uint32_t desired) {
  return std::atomic_ref<uint32_t>(*word_).compare_exchange_strong(expected, desired);
}

}  // namespace launcher::instance
