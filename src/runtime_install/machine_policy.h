#pragma once

#include <optional>

#include "platform/registry.h"
#include "platform/wide_string.h"

namespace launcher::runtime_install {

// Whether an administrator has turned the runtime download off for every user
// of the machine, where only administrators can write:
//   Windows: HKLM\Software\Policies\Java Application Launcher, value
//            "Runtime Download" = "off";
//   POSIX:   /etc/java-application-launcher.conf, a line "Runtime Download=off".
// The registry is the system's (on POSIX unused: the file speaks there).
bool DownloadTurnedOffForMachine(platform::Registry& registry);

// Whether the policy's value turns the download off: "off", in any case.
bool TurnsDownloadOff(const std::optional<WideString>& value);

}  // namespace launcher::runtime_install
