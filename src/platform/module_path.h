#pragma once

#include <cstdint>

#include "platform/wide_string.h"

namespace platform {

struct ModulePathResult {
  bool ok = false;
  WideString path;     // full path of the running executable, never truncated
  uint32_t error = 0;  // the system's error code when !ok
};

ModulePathResult QueryModulePath();

}  // namespace platform
