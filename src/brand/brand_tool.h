#pragma once

#include <string>

#include "platform/wide_string.h"

namespace launcher::brand {

// What a run of launcher-brand prints and ends with: 0 done, 2 refused (and
// nothing written).
struct ToolOutcome {
  int exitCode = 0;
  std::string out;
  std::string err;
};

inline constexpr int kToolRefused = 2;

// Runs the tool on its arguments (the program name left out).
ToolOutcome RunBrandTool(const WideStringList& arguments);

}  // namespace launcher::brand
