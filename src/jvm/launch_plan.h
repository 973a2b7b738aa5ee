#pragma once

#include <cstdint>
#include <functional>

#include "common/executable_location.h"
#include "common/launch_error.h"
#include "jvm/jvm_option_list.h"
#include "jvm/memory_options.h"
#include "platform/wide_string.h"
#include "settings/launcher_settings.h"

// Everything the JVM thread needs to start the application.
struct LaunchPlan {
  JvmOptionList options;     // in order: library path, class path, VM parameters, the following options
  uint64_t stackSize = 0;    // from the last -Xss; 0: the runtime's default
  WideString mainClass;      // "/"-separated
  WideStringList arguments;  // the command line's, then the pieces of "Cmd"
  StreamSetting output;      // file names with environment references expanded
  StreamSetting error;
};

// Options chosen from the plan's own that follow them: the start-up cache's,
// whose archive belongs to exactly those options.
using FollowingOptionsSource = std::function<JvmOptionList(const JvmOptionList& own)>;

// What a plan is made from.
struct LaunchPlanInputs {
  const ApplicationSettings& application;
  const ClassPathSettings& classPath;
  const WideString& vmParameters;
  const OutputSettings& output;
  const ExecutableLocation& executable;
  const WideStringList& commandLine;
  // The native library path that the process environment was given; "" for none.
  const WideString& libraryPath;
  MemoryFiguresSource memory;
  FollowingOptionsSource following;  // none: the plan's own options only
};

// The plan of a start. Environment references in the settings are expanded
// now, after the launcher has set the runtime's variables. Fails with message
// 209 when the class path comes out empty.
Result<LaunchPlan> BuildLaunchPlan(const LaunchPlanInputs& inputs);
