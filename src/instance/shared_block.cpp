#include "instance/shared_block.h"

#include <optional>

#include "common/little_endian.h"
#include "instance/argument_area.h"
#include "instance/argument_packet.h"

BlockHeader ReadBlockHeader(std::string_view block) {
  return {ReadUint32Le(block, 0), ReadUint32Le(block, 4), ReadUint32Le(block, 8)};
}

void WriteBlockHeader(char* block, const BlockHeader& header) {
  WriteUint32Le(block, header.messageThreadId);
  WriteUint32Le(block + 4, header.processId);
  WriteUint32Le(block + 8, header.messageId);
}

ForwardedBytes PackArguments(const WideStringList& arguments) {
  if (std::optional<std::string> area = EncodeArgumentArea(arguments)) return {true, std::move(*area)};
  return {false, EncodeArgumentPacket(arguments, PacketText::Utf16)};
}
