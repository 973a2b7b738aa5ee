#pragma once

#include <cstdint>
#include <memory>
#include <variant>

#include "common/trace.h"
#include "instance/forwarding_gate.h"
#include "platform/wide_string.h"

// Single-instance mode: only the first start of an executable runs the
// application; a later start (a second instance) hands its arguments to it and
// ends with its answer.

// The first instance: owns what later starts reach it through, and serves
// their requests on threads of their own once the forwarding is open.
class FirstInstance {
 public:
  // No request reaches the application any more; stops taking requests and
  // releases what it owns, the forwarding event last. Requests already being
  // served are not waited for.
  virtual ~FirstInstance() = default;

  // The application's main is about to run: the handler serves requests from
  // now on (the forwarding event is set). Those that came earlier have waited
  // for this.
  virtual void OpenForwarding(RequestHandler handler) = 0;

  // The JVM is gone: requests from now on, and those still waiting for main,
  // get no answer from it (their second instances take the exit code).
  virtual void CloseForwarding() = 0;
};

// A second instance, until it has handed its arguments over.
class SecondInstance {
 public:
  virtual ~SecondInstance() = default;

  // Hands the arguments to the first instance and waits for its answer; the
  // process exit code: the reply, the first instance's exit code when it ended
  // without one, -1 when the hand-off failed. Nothing is shown; the trace
  // tells when the arguments have been handed over.
  virtual int32_t HandOff(const WideStringList& arguments, Trace& trace) = 0;
};

// The objects cannot be had: the start runs as an ordinary one.
struct OrdinaryStart {};

using InstanceRole = std::variant<OrdinaryStart, std::unique_ptr<FirstInstance>, std::unique_ptr<SecondInstance>>;

// Decides, free of races with other starts, which role this start of the
// executable at executablePath takes.
InstanceRole SetUpSingleInstance(const WideString& executablePath);
