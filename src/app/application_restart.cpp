#include "app/application_restart.h"

#include <algorithm>
#include <cstdlib>

#include "app/run_trace.h"
#include "common/text.h"

namespace launcher::app {

namespace {

bool IsRestartEntry(const WideString& entry) { return entry.starts_with(WideString(kRestartVariable) + L"="); }

// The place with the count for the new process in the variable.
platform::ProcessPlace WithCount(platform::ProcessPlace place, const RestartCount& count) {
  std::erase_if(place.environment, IsRestartEntry);
  place.environment.push_back(WideString(kRestartVariable) + L"=" + FormatRestartCount(count));
  return place;
}

}  // namespace

std::optional<RestartCount> ParseRestartCount(const WideString& text) {
  const size_t space = text.find(L' ');
  if (space == WideString::npos) return std::nullopt;
  const std::optional<uint64_t> restarts = ParseDecimal(text.substr(0, space));
  const std::optional<uint64_t> start = ParseDecimal(text.substr(space + 1));
  if (!restarts || !start || *restarts > kMostRestarts) return std::nullopt;
  return RestartCount{static_cast<uint32_t>(*restarts), *start};
}

WideString FormatRestartCount(const RestartCount& count) {
  return std::to_wstring(count.restarts) + L" " + std::to_wstring(count.windowStartMs);
}

RestartDecision DecideRestart(const std::vector<int32_t>& codes, int32_t exitCode,
                              const std::optional<RestartCount>& earlier, uint64_t nowMs) {
  if (std::find(codes.begin(), codes.end(), exitCode) == codes.end()) return {};
  // A window that has passed, or one from a clock that is not this one (the
  // machine restarted), starts anew.
  const bool current = earlier && earlier->windowStartMs <= nowMs && nowMs - earlier->windowStartMs < kRestartWindowMs;
  const RestartCount count = current ? *earlier : RestartCount{0, nowMs};
  if (count.restarts >= kMostRestarts) return {RestartDecision::Verdict::TooMany, count};
  return {RestartDecision::Verdict::Restart, {count.restarts + 1, count.windowStartMs}};
}

ApplicationRestart::ApplicationRestart(const ApplicationRestartInputs& inputs, Trace& trace)
    : codes_(inputs.codes),
      executablePath_(inputs.executablePath),
      subsystem_(inputs.subsystem),
      instance_(inputs.instance),
      trace_(trace),
      place_(codes_.empty() ? platform::ProcessPlace{} : platform::CurrentProcessPlace()) {}

std::optional<int32_t> ApplicationRestart::Restart(int32_t exitCode) {
  std::optional<RestartCount> earlier;
  if (const std::optional<WideString> value = platform::GetEnvironmentValue(kRestartVariable)) {
    earlier = ParseRestartCount(*value);
  }
  const RestartDecision decision = DecideRestart(codes_, exitCode, earlier, platform::MonotonicMilliseconds());
  if (decision.verdict == RestartDecision::Verdict::NotAsked) return std::nullopt;
  if (decision.verdict == RestartDecision::Verdict::TooMany) {
    TraceLine(trace_, "restart-refused")
        .Number("code", exitCode)
        .Number("restarts", decision.next.restarts)
        .Sentence("as many restarts as allowed within a minute: the exit code stands")
        .Write();
    return std::nullopt;
  }
  // Later starts must find the new process, not this one.
  instance_.Release();
  const platform::SystemResult<platform::ChildProcess> started =
      platform::ChildProcess::StartAgainIn(executablePath_, WithCount(place_, decision.next));
  if (!started) {
    TraceLine(trace_, "restart-failed").Number("code", exitCode).Number("error", started.error().code).Write();
    return std::nullopt;
  }
  TraceLine(trace_, "restart").Number("code", exitCode).Number("restarts", decision.next.restarts).Write();
  // A console launcher's shell waits for the last process and gets its code.
  if (subsystem_ != platform::ImageSubsystem::Console) return 0;
  return started->WaitForExit().value_or(-1);
}

int32_t ApplicationRestart::ApplicationEnded(int32_t exitCode) {
  const std::optional<int32_t> restarted = Restart(exitCode);
  if (!restarted) return exitCode;
  TraceExit(trace_, *restarted, "a new process runs the application");
  return *restarted;
}

void ApplicationRestart::OnExit(int32_t code) {
  const std::optional<int32_t> restarted = Restart(code);
  if (!restarted) return;
  TraceExit(trace_, *restarted, "a new process runs the application");
  // The JVM's exit hook may end the process itself, with its own code.
  std::exit(*restarted);
}

}  // namespace launcher::app
