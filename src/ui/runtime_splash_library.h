#pragma once

#include "platform/wide_string.h"

namespace launcher::ui {

// The runtime's own splash screen library named fileName, looked for two
// levels above its JVM library (bin\server\jvm.dll gives bin\, lib/server/
// libjvm.so gives lib/); "" when that file does not exist.
WideString FindRuntimeSplashLibrary(const WideString& jvmLibrary, const WideString& fileName);

}  // namespace launcher::ui
