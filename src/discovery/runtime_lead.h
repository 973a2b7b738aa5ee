#pragma once

#include <optional>
#include <string_view>

#include "common/java_version.h"
#include "common/trace.h"
#include "discovery/jvm_candidate.h"
#include "platform/wide_string.h"
#include "settings/runtime_requirements.h"

namespace launcher::discovery {

// A runtime folder that a registration or an environment variable points at:
// only a hint until the folder is found to hold a usable JVM library.
struct RuntimeLead {
  WideString source;                          // where it was found, for the trace
  WideString folder;                          // the folder named there, as written
  bool registered = true;                     // named by a registry key (else by a variable)
  std::optional<settings::RuntimeKind> kind;  // as the registration says; none: the folder tells
  std::optional<settings::Vendor> vendor;     // likewise
  std::optional<JavaVersion> version;         // the registration's version; none: the "release" file tells
};

// What a runtime folder says of itself.
struct RuntimeFacts {
  std::optional<JavaVersion> version;  // JAVA_VERSION of its "release" file
  settings::RuntimeKind kind = settings::RuntimeKind::Jre;
  settings::Vendor vendor = settings::Vendor::Sun;
};

// The facts from the text of a "release" file (none when the folder has none)
// and whether the folder holds the compiler: the kind is IMAGE_TYPE ("JDK" or
// "JRE"), else a JDK when the compiler is there; an OpenJ9 build (JVM_VARIANT)
// counts as IBM's, every other as Sun's (HotSpot).
RuntimeFacts FactsOf(std::optional<std::string_view> releaseText, bool hasCompiler);

// The candidate a lead gives under the requirements, or none; either way the
// trace is told. A folder that is gone, that "JVM Source" or "VM Provider" rule
// out, without a JVM library for "JVM Type", with a 32-bit library, without a
// version or outside the bounds gives none. An old JDK is used through the
// runtime inside it.
std::optional<JvmCandidate> JudgeLead(const RuntimeLead& lead, const settings::RuntimeRequirements& requirements,
                                      Trace& trace);

}  // namespace launcher::discovery
