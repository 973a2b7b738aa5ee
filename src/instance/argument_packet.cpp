#include "instance/argument_packet.h"

#include <cstdint>

#include "platform/unicode.h"

namespace {

void AppendNumber(std::string& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

// Takes a four-byte number off the front of bytes.
std::optional<uint32_t> TakeNumber(std::string_view& bytes) {
  if (bytes.size() < 4) return std::nullopt;
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  bytes.remove_prefix(4);
  return value;
}

std::string TextBytes(const WideString& argument, PacketText text) {
  if (text == PacketText::Utf8) return platform::ToUtf8(argument);
  std::string bytes;
  for (char16_t unit : platform::ToUtf16(argument)) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

std::optional<WideString> TextOf(std::string_view bytes, PacketText text) {
  if (text == PacketText::Utf8) return platform::FromUtf8(bytes);
  if (bytes.size() % 2 != 0) return std::nullopt;
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (size_t i = 0; i < bytes.size(); i += 2) {
    units.push_back(
        static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  return platform::FromUtf16(units);
}

}  // namespace

std::string EncodeArgumentPacket(const WideStringList& arguments, PacketText text) {
  std::string packet;
  AppendNumber(packet, static_cast<uint32_t>(arguments.size()));
  for (const WideString& argument : arguments) {
    const std::string bytes = TextBytes(argument, text);
    AppendNumber(packet, static_cast<uint32_t>(bytes.size()));
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
