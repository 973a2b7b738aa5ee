#pragma once

#include <string>

#include "platform/files.h"
#include "platform/text.h"

namespace launcher::brand {

// The files the branding tests read: the launcher image as built, and files of
// the source tree.
inline std::string ReadTestFile(const std::string& path) {
  return platform::ReadWholeFile(platform::FromUtf8(path)).value_or("");
}

inline std::string LauncherImage() { return ReadTestFile(TEST_LAUNCHER_IMAGE); }

inline std::string SourceFile(const std::string& relative) {
  return ReadTestFile(std::string(TEST_SOURCE_FOLDER) + "/" + relative);
}

}  // namespace launcher::brand
