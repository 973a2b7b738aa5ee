#pragma once

#include <vector>

#include "common/java_version.h"
#include "platform/wide_string.h"
#include "settings/runtime_requirements.h"

namespace launcher::discovery {

// One installed runtime that passed every test of its search.
struct JvmCandidate {
  JavaVersion version;
  WideString home;         // with a trailing separator; for an old JDK the runtime inside it
  bool server = false;     // its JVM library is the server one
  bool preferred = false;  // its kind is wanted and its vendor favoured
  settings::Vendor vendor = settings::Vendor::Sun;
  settings::RuntimeKind kind = settings::RuntimeKind::Jre;
  WideString source;  // where it was found: a registry key, "JAVA_HOME"
};

using JvmCandidateList = std::vector<JvmCandidate>;

}  // namespace launcher::discovery
