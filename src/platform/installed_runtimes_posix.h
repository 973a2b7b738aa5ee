#pragma once

#include <memory>

#include "platform/registry.h"

namespace platform {

// A registry view of the Java runtimes installed as folders of root (on Debian,
// /usr/lib/jvm): every real folder once, links followed. A folder whose "jre/"
// is a runtime (an old JDK) appears under "Software\JavaSoft\Java Development
// Kit\", every other runtime under "Software\JavaSoft\Java Runtime Environment\";
// the subkey is the JAVA_VERSION of the folder's "release" file and its
// "JavaHome" the folder. The 32-bit view and the current user's tree are empty.
std::unique_ptr<Registry> MakeInstalledRuntimesRegistry(const WideString& root);

}  // namespace platform
