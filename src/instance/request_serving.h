#pragma once

#include <cstdint>
#include <functional>

#include "instance/forwarding_gate.h"
#include "platform/wide_string.h"

// How a first instance serves the starts forwarded to it.

// Answers the waiting second instance; called at most once.
using Reply = std::function<void(int32_t value)>;

// Serves one forwarded start: passes the arguments to the application and
// replies, or does not reply at all (the second instance then waits until the
// first instance ends). Runs on a thread of its own, concurrently with main and
// with other requests.
using RequestHandler = std::function<void(const WideStringList& arguments, const Reply& reply)>;

// On the calling thread: waits at the gate, then lets the handler serve the
// request, refuses it (kRefusedReply), or drops it without a reply.
void ServeRequest(ForwardingGate& gate, const RequestHandler& handler, const WideStringList& arguments,
                  const Reply& reply);
