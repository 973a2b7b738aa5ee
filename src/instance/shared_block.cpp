#include "instance/shared_block.h"

#include <optional>

#include "common/little_endian.h"
#include "instance/argument_area.h"
#include "instance/argument_packet.h"

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
