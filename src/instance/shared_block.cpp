#include "instance/shared_block.h"

#include <optional>

#include "instance/argument_area.h"
#include "instance/argument_packet.h"

namespace {

uint32_t ReadNumber(std::string_view block, size_t offset) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i)
    value |= static_cast<uint32_t>(static_cast<unsigned char>(block[offset + i])) << (8 * i);
  return value;
}

void WriteNumber(char* block, size_t offset, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) block[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

BlockHeader ReadBlockHeader(std::string_view block) {
  return {ReadNumber(block, 0), ReadNumber(block, 4), ReadNumber(block, 8)};
}

void WriteBlockHeader(char* block, const BlockHeader& header) {
  WriteNumber(block, 0, header.messageThreadId);
  WriteNumber(block, 4, header.processId);
  WriteNumber(block, 8, header.messageId);
}

ForwardedBytes PackArguments(const WideStringList& arguments) {
  if (std::optional<std::string> area = EncodeArgumentArea(arguments)) return {true, std::move(*area)};
  return {false, EncodeArgumentPacket(arguments, PacketText::Utf16)};
}
