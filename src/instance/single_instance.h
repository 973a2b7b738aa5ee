#pragma once

#include <cstdint>
#include <memory>
#include <variant>

#include "common/trace.h"
#include "instance/forwarding_gate.h"
#include "platform/wide_string.h"

namespace launcher::instance {

// Single-instance mode: only the first start of an executable runs the
// application; a later start (a second instance) hands its arguments to it and
// ends with its answer.

// The first instance: owns what later starts reach it through, and serves
// their requests on threads of their own once the forwarding is open.
class FirstInstance {
 public:
  // Gives up being the first instance: later starts become first instances
  // themselves, those whose requests wait are sent away to do the same. Stops
  // taking requests and releases what it owns, the forwarding event last.
  // Requests already being served are not waited for (the process may be
  // ending inside the JVM's exit).
  virtual ~FirstInstance() = default;

  // The application's main is about to run: the handler serves requests from
  // now on (the forwarding event is set). Those that came earlier have waited
  // for this.
  virtual void OpenForwarding(RequestHandler handler) = 0;

  // The JVM is about to be destroyed: gives up being the first instance (as
  // the destructor does), so that requests from now on, and those still
  // waiting for main, are sent away and later starts take the place; then
  // waits until the requests being served are done, so that none uses the
  // JVM while it is torn down.
  virtual void CloseForwarding() = 0;
};

// How a hand-off ended.
struct HandOffOutcome {
  enum class End {
    Answered,     // exitCode is this start's exit code
    FirstEnding,  // the first instance is ending (or gone) without the
                  // arguments: this start must run as a first instance itself
  };
  End end = End::Answered;
  int32_t exitCode = 0;
};

// A second instance, until it has handed its arguments over.
class SecondInstance {
 public:
  virtual ~SecondInstance() = default;

  // Hands the arguments to the first instance and waits for its answer: the
  // reply, the first instance's exit code when it ended without one, -1 when
  // the hand-off failed; or word that the first instance is ending. Nothing is
  // shown; the trace tells when the arguments have been handed over.
  virtual HandOffOutcome HandOff(const WideStringList& arguments, Trace& trace) = 0;
};

// The objects cannot be had: the start runs as an ordinary one.
struct OrdinaryStart {};

using InstanceRole = std::variant<OrdinaryStart, std::unique_ptr<FirstInstance>, std::unique_ptr<SecondInstance>>;

// Decides, free of races with other starts, which role this start of the
// executable at executablePath takes.
InstanceRole SetUpSingleInstance(const WideString& executablePath);

}  // namespace launcher::instance
