#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/wide_string.h"

namespace launcher::instance {

// What travels over the single-instance socket (POSIX). A second instance
// sends one request: the length of a packet (four bytes, little-endian), then
// the packet of its arguments in UTF-8 (argument_packet.h). The first instance
// acknowledges the whole request (Copied), then answers once; each answer is a
// kind byte and a 32-bit number, little-endian.

inline constexpr size_t kRequestLengthSize = 4;
inline constexpr size_t kAnswerSize = 5;
// Far beyond any command line the system allows; a longer request is refused
// before anything is allocated for it.
inline constexpr uint32_t kMaximumRequestLength = 16u << 20;

std::string EncodeRequest(const WideStringList& arguments);

// The packet length that a request's first four bytes announce; none when it is
// over the maximum.
std::optional<uint32_t> RequestLength(std::string_view lengthBytes);
std::optional<WideStringList> DecodeRequestPacket(std::string_view packet);

struct Answer {
  enum class Kind : char {
    Reply = 'R',     // what secondaryMain answered (0 for the void form)
    Ended = 'E',     // the first instance ended, with this exit code, before replying
    Copied = 'C',    // the first instance, whose process id this is, has the arguments
    SentAway = 'S',  // the first instance is ending: the second runs as a first itself
  };
  Kind kind = Kind::Reply;
  int32_t value = 0;
};

std::string EncodeAnswer(const Answer& answer);
// The answer of exactly kAnswerSize bytes; none for anything else.
std::optional<Answer> DecodeAnswer(std::string_view bytes);

}  // namespace launcher::instance
