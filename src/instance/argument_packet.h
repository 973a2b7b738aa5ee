#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/wide_string.h"

namespace launcher::instance {

// Forwarded arguments of any number and length, empty ones included: the count,
// then each argument as its length in bytes and its text, every number four
// bytes little-endian. The text is UTF-16LE where the system's own text is UTF-16
// (Windows, which keeps unpaired surrogates as they came), UTF-8 elsewhere.

enum class PacketText { Utf16, Utf8 };

std::string EncodeArgumentPacket(const WideStringList& arguments, PacketText text);

// The arguments of a packet that bytes hold exactly; none when they do not
// (truncated, bytes left over, a count or length beyond the bytes, UTF-16 of an
// odd length). Invalid text becomes U+FFFD. Any bytes are accepted.
std::optional<WideStringList> DecodeArgumentPacket(std::string_view bytes, PacketText text);

}  // namespace launcher::instance
