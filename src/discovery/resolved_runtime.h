#pragma once

#include <optional>

#include "common/java_version.h"
#include "platform/wide_string.h"
#include "settings/runtime_requirements.h"

// Where a chosen runtime came from.
enum class RuntimeOrigin {
  SettingsFolder,  // "JRE Path"
  PrivateRuntime,  // beside the launcher
  Registry,        // a registered runtime, ordinary view
  Registry32,      // a registered runtime of the 32-bit view, for the pair product
  UserChoice,      // the folder the user picked
};

// The Java runtime a start runs on.
struct ResolvedRuntime {
  WideString jvmLibrary;  // full path of the JVM library
  WideString home;        // the runtime's folder, without a trailing separator
  JavaVersion version;    // the registered version; all zero when not from the registry
  bool server = false;    // the JVM library is the server one
  RuntimeOrigin origin = RuntimeOrigin::SettingsFolder;
  std::optional<Vendor> vendor;  // the registration's vendor, when registered
  bool needsCompanion = false;   // a 32-bit runtime: the pair product runs it instead
};
