#pragma once

#include "common/java_version.h"
#include "platform/wide_string.h"
#include "settings/runtime_requirements.h"

namespace launcher::app {

// The version the application needs, in words: "latest version", "minimum
// version 1.6", "version between 1.6 and 1.7", ...
WideString BuildVersionRequirementText(const JavaVersion& minimum, const JavaVersion& maximum);

// The "JRE Not Found" message with the version requirement (the server-JVM
// wording in Server mode).
WideString BuildJreNotFoundMessage(const settings::RuntimeRequirements& requirements);

}  // namespace launcher::app
