#include "app/program_mode.h"

#include "app/run_sequence.h"
#include "platform/environment.h"
#include "startup_cache/startup_cache_build.h"

int32_t RunProgram(Host& host, const platform::ProcessCommandLine& commandLine) {
  if (const std::optional<WideString> job = platform::GetEnvironmentValue(kCacheBuildVariable)) {
    return RunCacheBuild(*job);
  }
  return RunLauncher(host, commandLine);
}
