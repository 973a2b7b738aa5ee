#include "app/companion_relaunch.h"

#include "platform/child_process.h"

Result<int32_t> RelaunchCompanion(const ProductSettings& product) {
  uint32_t error = 0;
  std::unique_ptr<platform::ChildProcess> companion =
      platform::ChildProcess::StartWithOwnCommandLine(product.pairProduct, error);
  if (!companion) {
    return LaunchError{StringId::kPairProductStartFailed, {product.pairProduct, static_cast<int32_t>(error)}, error};
  }
  if (!product.pairReturnCode) return 0;
  return companion->WaitForExit().value_or(-1);
}
