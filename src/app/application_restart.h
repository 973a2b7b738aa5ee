#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/application_end.h"
#include "common/trace.h"
#include "instance/instance_link.h"
#include "platform/process.h"
#include "platform/wide_string.h"

namespace launcher::app {

// "Restart Exit Codes": when the application ends with one of them, the
// launcher runs again in a new process (a JVM cannot be created twice in one),
// with the command line, working folder and environment this start began
// with. This process first stops being the first instance, so that the new one
// becomes it rather than hand its arguments to a process that is ending.

// A loop that never settles is cut: at most this many restarts within the
// window; then the exit code is returned as it is.
inline constexpr uint32_t kMostRestarts = 5;
inline constexpr uint64_t kRestartWindowMs = 60000;

// How the count travels from one process to the next.
inline constexpr const wchar_t* kRestartVariable = L"QX_LAUNCHER_RESTARTS";

// The restarts that led to this process: how many since the window began, and
// when it began (platform::MonotonicMilliseconds).
struct RestartCount {
  uint32_t restarts = 0;
  uint64_t windowStartMs = 0;
};

// The variable's value, "<restarts> <window start>"; none for anything else.
std::optional<RestartCount> ParseRestartCount(const WideString& text);
WideString FormatRestartCount(const RestartCount& count);

struct RestartDecision {
  enum class Verdict {
    NotAsked,  // the exit code is not one of the list
    Restart,   // start anew; the new process gets next
    TooMany,   // the guard's limit is reached: the exit code stands
  };
  Verdict verdict = Verdict::NotAsked;
  RestartCount next;
};

// What an application's exit code leads to, given the restarts before it.
RestartDecision DecideRestart(const std::vector<int32_t>& codes, int32_t exitCode,
                              const std::optional<RestartCount>& earlier, uint64_t nowMs);

struct ApplicationRestartInputs {
  const std::vector<int32_t>& codes;
  const WideString& executablePath;
  platform::ImageSubsystem subsystem;  // a console launcher waits for the new process
  instance::InstanceLink& instance;
};

// The restart's part in one start, owned by the run sequence from before the
// working folder may change: it keeps the place the start began in, and acts
// when the application has ended.
class ApplicationRestart final : public TerminationObserver {
 public:
  ApplicationRestart(const ApplicationRestartInputs& inputs, Trace& trace);

  // main has returned and the JVM is gone; the process's exit code: 0 once a
  // new process runs the application (for a console launcher, that process's
  // code when it ends), else exitCode.
  int32_t ApplicationEnded(int32_t exitCode);

  // System.exit: a restart happens here, and this process then ends itself
  // with the code ApplicationEnded would give.
  void OnExit(int32_t code) override;
  void OnAbort() override {}

 private:
  std::optional<int32_t> Restart(int32_t exitCode);

  const std::vector<int32_t> codes_;
  const WideString executablePath_;
  const platform::ImageSubsystem subsystem_;
  instance::InstanceLink& instance_;
  Trace& trace_;
  const platform::ProcessPlace place_;
};

}  // namespace launcher::app
