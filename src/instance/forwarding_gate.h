#pragma once

#include <condition_variable>
#include <mutex>

// Holds forwarded starts back until the application's main is about to run.
// Shared by a first instance and its request threads, which may outlive it.
class ForwardingGate {
 public:
  enum class Verdict {
    Serve,   // main is about to run or running: the request goes to the application
    Refuse,  // the first instance can never serve requests: refuse at once
    Drop,    // the JVM is gone: no reply (the second instance gets the exit code)
  };

  // main is about to run. No effect after Refuse or Close.
  void Open();
  // Requests will never be served (the forwarding event could not be made).
  void Refuse();
  // The JVM is gone: no request may reach it any more. Final.
  void Close();
  // Blocks while the gate waits to open, then says what becomes of a request.
  Verdict Pass();

 private:
  enum class State { Waiting, Open, Refusing, Closed };

  void Change(State from, State to);

  std::mutex mutex_;
  std::condition_variable changed_;
  State state_ = State::Waiting;
};
