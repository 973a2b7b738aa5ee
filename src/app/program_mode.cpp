#include "app/program_mode.h"

#include "app/run_sequence.h"
#include "platform/process.h"
#include "startup_cache/startup_cache_build.h"

namespace launcher::app {

namespace {

// The codes of a start that failed: the launcher's own failure (-1) and, on a
// console, an exception main did not catch (1). An application's
// System.exit never comes back here.
bool IsFailure(int32_t exitCode) { return exitCode == -1 || exitCode == 1; }

}  // namespace

int32_t RunProgram(Host& host, const platform::ProcessCommandLine& commandLine) {
  if (const std::optional<WideString> job = platform::GetEnvironmentValue(startup_cache::kCacheBuildVariable)) {
    return startup_cache::RunCacheBuild(*job);
  }
  // Asked before the run: a program the application starts may join the console.
  const bool ownConsole = host.subsystem == platform::ImageSubsystem::Console && platform::IsAloneOnItsConsole();
  const int32_t exitCode = RunLauncher(host, commandLine);
  if (ownConsole && IsFailure(exitCode)) host.ui.HoldBeforeClosing();
  return exitCode;
}

}  // namespace launcher::app
