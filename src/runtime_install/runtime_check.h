#pragma once

#include <string>

#include "common/java_version.h"
#include "platform/expected.h"
#include "platform/wide_string.h"
#include "settings/runtime_requirements.h"

namespace launcher::runtime_install {

// A runtime as an archive unpacked it.
struct UnpackedRuntime {
  WideString home;          // its folder, without a trailing separator
  WideString jvmLibrary;    // its JVM library
  JavaVersion version;      // JAVA_VERSION of its "release" file
  std::string versionText;  // that value as written
};

// Whether what an archive unpacked into the folder is a runtime this launcher
// can run: a home (the archive's single top folder, or the folder itself) with
// a JVM library for the requirements' "JVM Type" that is not a 32-bit one, and
// a version inside their bounds. Otherwise, why not, in words.
platform::Expected<UnpackedRuntime, std::string> CheckUnpackedRuntime(
    const WideString& folder, const settings::RuntimeRequirements& requirements);

}  // namespace launcher::runtime_install
