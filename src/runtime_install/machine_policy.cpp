#include "runtime_install/machine_policy.h"

#include "common/text.h"

namespace launcher::runtime_install {

bool TurnsDownloadOff(const std::optional<WideString>& value) {
  return value && EqualsIgnoringCase(TrimWhiteSpace(*value), L"off");
}

}  // namespace launcher::runtime_install
