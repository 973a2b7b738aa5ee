#include "platform/module_path.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

#include "platform/text.h"

namespace platform {

ModulePathResult QueryModulePath() {
  std::unique_ptr<char, decltype(&std::free)> resolved(realpath("/proc/self/exe", nullptr), &std::free);
  if (!resolved) return {false, {}, static_cast<uint32_t>(errno)};
  return {true, FromUtf8(resolved.get()), 0};
}

}  // namespace platform
