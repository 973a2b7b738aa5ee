#include "runtime_install/machine_policy.h"

namespace runtime_install {

bool DownloadTurnedOffForMachine(Registry& registry) {
  std::unique_ptr<RegistryKey> key = registry.OpenMachineKey(L"Software\\Policies\\Java Application Launcher", false);
  return key && TurnsDownloadOff(key->TextValue(L"Runtime Download"));
}

}  // namespace runtime_install
