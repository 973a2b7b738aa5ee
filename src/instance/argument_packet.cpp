#include "instance/argument_packet.h"

#include <cstdint>

#include "common/little_endian.h"
#include "platform/text.h"

namespace launcher::instance {

namespace {

// Takes a four-byte number off the front of bytes.
std::optional<uint32_t> TakeNumber(std::string_view& bytes) {
  if (bytes.size() < 4) return std::nullopt;
  const uint32_t value = ByteReader(bytes).U32(0);
  bytes.remove_prefix(4);
  return value;
}

std::string TextBytes(const WideString& argument, PacketText text) {
  return text == PacketText::Utf8 ? platform::ToUtf8(argument) : platform::ToUtf16Bytes(argument, false);
}

std::optional<WideString> TextOf(std::string_view bytes, PacketText text) {
  if (text == PacketText::Utf8) return platform::FromUtf8(bytes);
  if (bytes.size() % 2 != 0) return std::nullopt;
  return platform::FromUtf16Bytes(bytes, false);
}

}  // namespace

std::string EncodeArgumentPacket(const WideStringList& arguments, PacketText text) {
  std::string packet;
  AppendU32(packet, static_cast<uint32_t>(arguments.size()));
  for (const WideString& argument : arguments) {
    const std::string bytes = TextBytes(argument, text);
    AppendU32(packet, static_cast<uint32_t>(bytes.size()));
    packet += bytes;
  }
  return packet;
}

std::optional<WideStringList> DecodeArgumentPacket(std::string_view bytes, PacketText text) {
  const std::optional<uint32_t> count = TakeNumber(bytes);
  // Every argument takes at least its length: a count beyond that is no packet
  // (and must not size the list).
  if (!count || *count > bytes.size() / 4) return std::nullopt;
  WideStringList arguments;
  arguments.reserve(*count);
  for (uint32_t i = 0; i < *count; ++i) {
    const std::optional<uint32_t> length = TakeNumber(bytes);
    if (!length || *length > bytes.size()) return std::nullopt;
    std::optional<WideString> argument = TextOf(bytes.substr(0, *length), text);
    if (!argument) return std::nullopt;
    arguments.push_back(std::move(*argument));
    bytes.remove_prefix(*length);
  }
  if (!bytes.empty()) return std::nullopt;
  return arguments;
}

}  // namespace launcher::instance
