#include "platform/files.h"
#include "platform/runtime_layout.h"
#include "runtime_install/machine_policy.h"

namespace launcher::runtime_install {

bool DownloadTurnedOffForMachine(platform::Registry&) {
  const std::string text = platform::ReadFileStart(L"/etc/java-application-launcher.conf", 64 * 1024).value_or("");
  return TurnsDownloadOff(platform::ReleaseFileValue(text, "Runtime Download"));
}

}  // namespace launcher::runtime_install
