#include "app/companion_relaunch.h"

#include "platform/process.h"

namespace launcher::app {

Result<int32_t> RelaunchCompanion(const settings::ProductSettings& product) {
  const platform::SystemResult<platform::ChildProcess> companion =
      platform::ChildProcess::StartWithOwnCommandLine(product.pairProduct);
  if (!companion) {
    const uint32_t error = companion.error().code;
    return LaunchError{StringId::kPairProductStartFailed, {product.pairProduct, static_cast<int32_t>(error)}, error};
  }
  if (!product.pairReturnCode) return 0;
  return companion->WaitForExit().value_or(-1);
}

}  // namespace launcher::app
