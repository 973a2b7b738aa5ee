#pragma once

#include <cstdint>

#include "common/executable_location.h"
#include "common/jvm_option_list.h"
#include "common/jvm_path.h"
#include "common/launch_error.h"
#include "common/trace.h"
#include "jvm/memory_options.h"
#include "platform/wide_string.h"
#include "settings/launcher_settings.h"

namespace launcher::jvm {

// Everything the JVM thread needs to start the application.
struct LaunchPlan {
  // In order: library path, class path, VM parameters, the start-up cache's,
  // the user's own (last, so that the user's heap size wins).
  JvmOptionList options;
  size_t userOptionsStart = 0;     // where the user's own begin in options
  uint64_t stackSize = 0;          // from the last -Xss; 0: the runtime's default
  WideString mainClass;            // "/"-separated
  WideStringList arguments;        // the command line's, then the pieces of "Cmd"
  settings::StreamSetting output;  // file names with environment references expanded
  settings::StreamSetting error;
};

// What a plan is made from.
struct LaunchPlanInputs {
  const settings::ApplicationSettings& application;
  const settings::ClassPathSettings& classPath;
  const WideString& vmParameters;
  const WideStringList& userOptions;  // the per-user options file's, already filtered
  const settings::OutputSettings& output;
  const ExecutableLocation& executable;
  const WideStringList& commandLine;
  // The native library path that the process environment was given; "" for none.
  const WideString& libraryPath;
  MemoryFiguresSource memory;
  // The paths the launcher puts into options (the class path's entries, the
  // library path's folders) reach the JVM in a form its 8-bit text can carry.
  ShortPathSource shortPath;
  Trace& trace;
};

// The plan of a start. Environment references in the settings are expanded
// now, after the launcher has set the runtime's variables. Fails with message
// 209 when the class path comes out empty, and with message 255 when one of
// its paths cannot be carried (see jvm_path.h); an entry that the code page
// cannot write and that names nothing is left out.
Result<LaunchPlan> BuildLaunchPlan(const LaunchPlanInputs& inputs);

// Puts more options (the start-up cache's) after the launcher's own and before
// the user's.
void InsertBeforeUserOptions(LaunchPlan& plan, const JvmOptionList& options);

}  // namespace launcher::jvm
