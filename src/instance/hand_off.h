#pragma once

#include <cstdint>
#include <optional>

#include "common/trace.h"
#include "instance/socket_messages.h"

namespace launcher::instance {

// The decisions of the hand-off between a second instance and the first that
// do not depend on how the two reach each other.

// What a request is answered with when the first instance cannot serve it: its
// forwarding event is missing, or the arguments did not arrive whole.
inline constexpr int32_t kRefusedReply = -1;

// A second instance's exit code when the first instance ended without a reply:
// the first instance's exit code, or -1 when that cannot be read.
int32_t ExitCodeWithoutReply(std::optional<uint32_t> firstInstanceExitCode);

// The arguments are with the first instance; from here on the second instance
// only waits for its answer.
void TraceHandedOff(Trace& trace);

// The reply a first instance posts as the message's wParam: the low 32 bits,
// signed.
uint64_t ReplyAsMessageParameter(int32_t reply);
int32_t ReplyOfMessageParameter(uint64_t wParam);

// The reply's lParam: 0 with an answer; this when the first instance is ending
// and sends the request away (the second instance then runs on its own).
inline constexpr uint64_t kSentAwayParameter = 1;

// A request's wParam: the requesting thread's id (low 32 bits, where a reader
// of the plain protocol finds it) and the hand-off's number (high 32 bits).
struct RequestTag {
  uint32_t threadId = 0;
  uint32_t number = 0;
};
uint64_t RequestAsMessageParameter(const RequestTag& tag);
RequestTag RequestOfMessageParameter(uint64_t wParam);

// Windows lets only the process with the user's input bring a window forward:
// a second instance passes that right to the first instance, whose process id
// the hand-off gives, before handing its arguments over, so that the
// application's toFront() in secondaryMain raises its window. None for a first
// instance that is not (or no longer) known, or for this very process.
std::optional<uint32_t> ForegroundGrantFor(uint32_t firstInstanceProcessId, uint32_t ownProcessId);

// The trace line of the grant: the first instance's process id and whether the
// system allowed it.
void TraceForegroundGrant(Trace& trace, uint32_t processId, bool granted);

// A second instance's exit code from the socket's answer (POSIX): the reply, or
// the exit code the first instance ended with; -1 when the connection closed
// without an answer (the first instance was killed, or refused the request).
int32_t ExitCodeOfAnswer(const std::optional<Answer>& answer);

}  // namespace launcher::instance
