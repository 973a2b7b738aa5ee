#include "runtime_install/machine_policy.h"

namespace launcher::runtime_install {

bool DownloadTurnedOffForMachine(platform::Registry& registry) {
  std::unique_ptr<platform::RegistryKey> key =
      registry.OpenMachineKey(L"Software\\Policies\\Java Application Launcher", false);
  return key && TurnsDownloadOff(key->TextValue(L"Runtime Download"));
}

}  // namespace launcher::runtime_install
