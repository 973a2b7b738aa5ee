#pragma once

#include <cstdint>

namespace launcher::settings {

// The "JVM Type" setting: which of a runtime's JVM libraries are acceptable.
enum class JvmTypeMode : int32_t {
  Default = 0,      // client-style libraries first, a server library accepted
  Server = 1,       // only the server library
  FavorServer = 2,  // the server library first, otherwise as Default
};

}  // namespace launcher::settings
