#pragma once

#include <vector>

#include "common/java_version.h"
#include "platform/wide_string.h"
#include "settings/runtime_requirements.h"

// One installed runtime that passed the registry search.
struct JvmCandidate {
  JavaVersion version;
  WideString home;         // with a trailing separator; for a JDK the runtime inside it
  bool server = false;     // its JVM library is the server one
  bool preferred = false;  // its kind is wanted and its vendor favoured
  Vendor vendor = Vendor::Sun;
};

using JvmCandidateList = std::vector<JvmCandidate>;
