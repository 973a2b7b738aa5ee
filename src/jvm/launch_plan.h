#pragma once

#include <cstdint>

#include "common/executable_location.h"
#include "common/jvm_option_list.h"
#include "common/launch_error.h"
#include "jvm/memory_options.h"
#include "platform/wide_string.h"
#include "settings/launcher_settings.h"

// Everything the JVM thread needs to start the application.
struct LaunchPlan {
  // In order: library path, class path, VM parameters, the start-up cache's,
  // the user's own (last, so that the user's heap size wins).
  JvmOptionList options;
  size_t userOptionsStart = 0;  // where the user's own begin in options
  uint64_t stackSize = 0;       // from the last -Xss; 0: the runtime's default
  WideString mainClass;         // "/"-separated
  WideStringList arguments;     // the command line's, then the pieces of "Cmd"
  StreamSetting output;         // file names with environment references expanded
  StreamSetting error;
};

// What a plan is made from.
struct LaunchPlanInputs {
  const ApplicationSettings& application;
  const ClassPathSettings& classPath;
  const WideString& vmParameters;
  const WideStringList& userOptions;  // the per-user options file's, already filtered
  const OutputSettings& output;
  const ExecutableLocation& executable;
  const WideStringList& commandLine;
  // The native library path that the process environment was given; "" for none.
  const WideString& libraryPath;
  MemoryFiguresSource memory;
};

// The plan of a start. Environment references in the settings are expanded
// now, after the launcher has set the runtime's variables. Fails with message
// 209 when the class path comes out empty.
Result<LaunchPlan> BuildLaunchPlan(const LaunchPlanInputs& inputs);

// Puts more options (the start-up cache's) after the launcher's own and before
// the user's.
void InsertBeforeUserOptions(LaunchPlan& plan, const JvmOptionList& options);
