#pragma once

#include <cstdint>
#include <optional>

#include "common/trace.h"
#include "instance/socket_messages.h"

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

// A second instance's exit code from the socket's answer (POSIX): the reply, or
// the exit code the first instance ended with; -1 when the connection closed
// without an answer (the first instance was killed, or refused the request).
int32_t ExitCodeOfAnswer(const std::optional<Answer>& answer);
