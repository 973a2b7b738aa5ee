#include "instance/forwarding_gate.h"

#include "instance/hand_off.h"

namespace launcher::instance {

void ForwardingGate::EndWait(State to, RequestHandler handler) {
  {
    std::lock_guard lock(mutex_);
    if (state_ != State::Waiting) return;
    state_ = to;
    handler_ = std::move(handler);
  }
  changed_.notify_all();
}

void ForwardingGate::Open(RequestHandler handler) { EndWait(State::Open, std::move(handler)); }

void ForwardingGate::Refuse() { EndWait(State::Refusing, nullptr); }

void ForwardingGate::Close() {
  {
    std::lock_guard lock(mutex_);
    // A gate that refuses keeps refusing: its requests are answered at once.
    if (state_ == State::Refusing) return;
    state_ = State::Closed;
    handler_ = nullptr;
  }
  changed_.notify_all();
}

void ForwardingGate::Drain() {
  Close();
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return inFlight_ == 0; });
}

ForwardingGate::Passage ForwardingGate::Pass() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return state_ != State::Waiting; });
  switch (state_) {
    case State::Open:
      ++inFlight_;
      return {Verdict::Serve, handler_};
    case State::Refusing:
      return {Verdict::Refuse, nullptr};
    default:
      return {Verdict::SendAway, nullptr};
  }
}

void ForwardingGate::Served() {
  {
    std::lock_guard lock(mutex_);
    --inFlight_;
  }
  changed_.notify_all();
}

void ServeRequest(ForwardingGate& gate, const WideStringList& arguments, const Reply& reply, const SendAway& sendAway) {
  const ForwardingGate::Passage passage = gate.Pass();
  switch (passage.verdict) {
    case ForwardingGate::Verdict::Serve:
      passage.handler(arguments, reply);
      gate.Served();
      break;
    case ForwardingGate::Verdict::Refuse:
      reply(kRefusedReply);
      break;
    case ForwardingGate::Verdict::SendAway:
      sendAway();
      break;
  }
}

}  // namespace launcher::instance
