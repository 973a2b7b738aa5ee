#include "instance/socket_messages.h"

#include "common/little_endian.h"
#include "instance/argument_packet.h"

namespace launcher::instance {

std::string EncodeRequest(const WideStringList& arguments) {
  const std::string packet = EncodeArgumentPacket(arguments, PacketText::Utf8);
  std::string request;
  AppendU32(request, static_cast<uint32_t>(packet.size()));
  return request + packet;
}

std::optional<uint32_t> RequestLength(std::string_view lengthBytes) {
  if (lengthBytes.size() != kRequestLengthSize) return std::nullopt;
  const uint32_t length = ByteReader(lengthBytes).U32(0);
  if (length > kMaximumRequestLength) return std::nullopt;
  return length;
}

std::optional<WideStringList> DecodeRequestPacket(std::string_view packet) {
  return DecodeArgumentPacket(packet, PacketText::Utf8);
}

std::string EncodeAnswer(const Answer& answer) {
  std::string bytes(1, static_cast<char>(answer.kind));
  AppendU32(bytes, static_cast<uint32_t>(answer.value));
  return bytes;
}

std::optional<Answer> DecodeAnswer(std::string_view bytes) {
  if (bytes.size() != kAnswerSize) return std::nullopt;
  const auto kind = static_cast<Answer::Kind>(bytes[0]);
  if (kind != Answer::Kind::Reply && kind != Answer::Kind::Ended && kind != Answer::Kind::Copied &&
      kind != Answer::Kind::SentAway) {
    return std::nullopt;
  }
  return Answer{kind, static_cast<int32_t>(ByteReader(bytes).U32(1))};
}

}  // namespace launcher::instance
