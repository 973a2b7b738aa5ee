#include "instance/socket_messages.h"

#include "instance/argument_packet.h"

namespace {

void AppendNumber(std::string& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

uint32_t NumberAt(std::string_view bytes, size_t offset) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i)
    value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  return value;
}

}  // namespace

std::string EncodeRequest(const WideStringList& arguments) {
  const std::string packet = EncodeArgumentPacket(arguments, PacketText::Utf8);
  std::string request;
  AppendNumber(request, static_cast<uint32_t>(packet.size()));
  return request + packet;
}

std::optional<uint32_t> RequestLength(std::string_view lengthBytes) {
  if (lengthBytes.size() != kRequestLengthSize) return std::nullopt;
  const uint32_t length = NumberAt(lengthBytes, 0);
  if (length > kMaximumRequestLength) return std::nullopt;
  return length;
}

std::optional<WideStringList> DecodeRequestPacket(std::string_view packet) {
  return DecodeArgumentPacket(packet, PacketText::Utf8);
}

std::string EncodeAnswer(const Answer& answer) {
  std::string bytes(1, static_cast<char>(answer.kind));
  AppendNumber(bytes, static_cast<uint32_t>(answer.value));
  return bytes;
}

std::optional<Answer> DecodeAnswer(std::string_view bytes) {
  if (bytes.size() != kAnswerSize) return std::nullopt;
  const auto kind = static_cast<Answer::Kind>(bytes[0]);
  if (kind != Answer::Kind::Reply && kind != Answer::Kind::Ended) return std::nullopt;
  return Answer{kind, static_cast<int32_t>(NumberAt(bytes, 1))};
}
