#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

#include "platform/wide_string.h"

// How a first instance serves the starts forwarded to it.

// Answers the waiting second instance; called at most once.
using Reply = std::function<void(int32_t value)>;

// Serves one forwarded start: passes the arguments to the application and
// replies, or does not reply at all (the second instance then waits until the
// first instance ends). Runs on a thread of its own, concurrently with main and
// with other requests.
using RequestHandler = std::function<void(const WideStringList& arguments, const Reply& reply)>;

// Holds forwarded starts back until the application's main is about to run,
// then passes them to the handler it was opened with. Shared by a first
// instance and its request threads, which may outlive it.
class ForwardingGate {
 public:
  enum class Verdict {
    Serve,   // main is about to run or running: the request goes to the application
    Refuse,  // the first instance can never serve requests: refuse at once
    Drop,    // the JVM is gone: no reply (the second instance gets the exit code)
  };

  // What becomes of a request, and with Serve the handler that serves it.
  struct Passage {
    Verdict verdict = Verdict::Drop;
    RequestHandler handler;
  };

  // main is about to run: requests go to the handler from now on. No effect
  // after Refuse or Close.
  void Open(RequestHandler handler);
  // Requests will never be served (the forwarding event could not be made).
  void Refuse();
  // The JVM is gone: no request may reach it any more. Final.
  void Close();
  // Blocks while the gate waits to open, then says what becomes of a request.
  Passage Pass();

 private:
  enum class State { Waiting, Open, Refusing, Closed };

  // Open and Refuse end the wait; neither changes a gate that no longer waits.
  void EndWait(State to, RequestHandler handler);

  std::mutex mutex_;
  std::condition_variable changed_;
  State state_ = State::Waiting;
  RequestHandler handler_;
};

// On the calling thread: waits at the gate, then lets its handler serve the
// request, refuses it (kRefusedReply), or drops it without a reply.
void ServeRequest(ForwardingGate& gate, const WideStringList& arguments, const Reply& reply);
