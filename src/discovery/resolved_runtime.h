#pragma once

#include <optional>

#include "common/java_version.h"
#include "platform/wide_string.h"
#include "settings/runtime_requirements.h"

namespace launcher::discovery {

// Where a chosen runtime came from.
enum class RuntimeOrigin {
  SettingsFolder,   // "JRE Path"
  PrivateRuntime,   // beside the launcher
  Registry,         // a registered runtime, ordinary view
  Registry32,       // a registered runtime of the 32-bit view, for the companion
  ModernRegistry,   // registered by a current installer (Java 9 and later, the free builds)
  EnvironmentHome,  // named by JAVA_HOME, where the system names runtimes that way
  RuntimeStore,     // installed for the user from the publisher's pinned archive
  UserChoice,       // the folder the user picked
};

// The Java runtime a start runs on.
struct ResolvedRuntime {
  WideString jvmLibrary;  // full path of the JVM library
  WideString home;        // the runtime's folder, without a trailing separator
  JavaVersion version;    // the candidate's version; all zero when not from a search
  bool server = false;    // the JVM library is the server one
  RuntimeOrigin origin = RuntimeOrigin::SettingsFolder;
  // The vendor key of the registry it was registered under (Registry and
  // Registry32 only: an IBM runtime registered there needs its main thread
  // kept after main, which today's OpenJ9 builds do not).
  std::optional<settings::Vendor> vendor;
  bool needsCompanion = false;  // a 32-bit runtime: the companion runs it instead
};

// The name a trace gives an origin: "JRE Path", "registry", ...
const char* OriginName(RuntimeOrigin origin);

}  // namespace launcher::discovery
