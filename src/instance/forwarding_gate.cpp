#include "instance/forwarding_gate.h"

void ForwardingGate::Change(State from, State to) {
  {
    std::lock_guard lock(mutex_);
    if (state_ != from) return;
    state_ = to;
  }
  changed_.notify_all();
}

void ForwardingGate::Open() { Change(State::Waiting, State::Open); }

void ForwardingGate::Refuse() { Change(State::Waiting, State::Refusing); }

void ForwardingGate::Close() {
  {
    std::lock_guard lock(mutex_);
    // A gate that refuses keeps refusing: its requests are answered at once.
    if (state_ == State::Refusing) return;
    state_ = State::Closed;
  }
  changed_.notify_all();
}

ForwardingGate::Verdict ForwardingGate::Pass() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return state_ != State::Waiting; });
  switch (state_) {
    case State::Open:
      return Verdict::Serve;
    case State::Refusing:
      return Verdict::Refuse;
    default:
      return Verdict::Drop;
  }
}
