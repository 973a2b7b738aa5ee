#pragma once

#include <string>

#include "platform/wide_string.h"

namespace launcher::package {

struct ToolOutcome {
  int exitCode = 0;
  std::string out;
  std::string err;
};

inline constexpr int kToolRefused = 2;

// launcher-package: a branded launcher and the application's folder into a
// portable zip and a Windows Installer package.
ToolOutcome RunPackageTool(const WideStringList& arguments);

}  // namespace launcher::package
