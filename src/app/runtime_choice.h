#pragma once

#include "common/executable_location.h"
#include "common/launch_error.h"
#include "common/trace.h"
#include "discovery/resolved_runtime.h"
#include "platform/registry.h"
#include "settings/launcher_settings.h"
#include "ui/user_interface.h"

namespace launcher::app {

// The runtime a start runs on: one that discovery finds (settings folder,
// private runtime, registry, current installers' keys, JAVA_HOME on Linux,
// the user's store of pinned runtimes), else the publisher's pinned runtime
// installed ("Offer=auto", or the user's choice in the question), else the
// one the user points at in the "JRE Not Found" question, which is used at
// once and remembered as "JRE Path" for the next start (and for the
// companion's). A failed or cancelled install brings the question back.
// Fails silently when the user declines or the question cannot be asked.
// The search, the question and the JVM library chosen are written to the
// trace.
Result<discovery::ResolvedRuntime> ChooseRuntime(ui::UserInterface& ui, platform::Registry& registry,
                                                 const settings::LauncherSettings& settings,
                                                 const ExecutableLocation& executable, Trace& trace = NoTrace());

}  // namespace launcher::app
