#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

#include "platform/wide_string.h"

namespace launcher::instance {

// How a first instance serves the starts forwarded to it.

// Answers the waiting second instance; called at most once.
using Reply = std::function<void(int32_t value)>;

// Tells the waiting second instance that this instance is ending and serves no
// more: the second instance then starts as a first instance itself.
using SendAway = std::function<void()>;

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
    Serve,     // main is about to run or running: the request goes to the application
    Refuse,    // the first instance can never serve requests: refuse at once
    SendAway,  // the instance is ending: the second instance starts on its own
  };

  // What becomes of a request, and with Serve the handler that serves it.
  struct Passage {
    Verdict verdict = Verdict::SendAway;
    RequestHandler handler;
  };

  // main is about to run: requests go to the handler from now on. No effect
  // after Refuse or Close.
  void Open(RequestHandler handler);
  // Requests will never be served (the forwarding event could not be made).
  void Refuse();
  // The instance is ending: no request passes from now on, and those waiting
  // are sent away. Final.
  void Close();
  // Close, then wait until every request let through has been served, so that
  // none still uses the JVM when it is destroyed.
  void Drain();
  // Blocks while the gate waits to open, then says what becomes of a request.
  // A Serve passage counts as in flight until Served is called.
  Passage Pass();
  void Served();

 private:
  enum class State { Waiting, Open, Refusing, Closed };

  // Open and Refuse end the wait; neither changes a gate that no longer waits.
  void EndWait(State to, RequestHandler handler);

  std::mutex mutex_;
  std::condition_variable changed_;
  State state_ = State::Waiting;
  RequestHandler handler_;
  int inFlight_ = 0;
};

// On the calling thread: waits at the gate, then lets its handler serve the
// request, refuses it (kRefusedReply), or sends it away.
void ServeRequest(ForwardingGate& gate, const WideStringList& arguments, const Reply& reply, const SendAway& sendAway);

}  // namespace launcher::instance
