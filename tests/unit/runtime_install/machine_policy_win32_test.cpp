#include <gtest/gtest.h>

#include "runtime_install/machine_policy.h"
#include "test_support.h"

namespace launcher::runtime_install {

namespace {

TEST(MachinePolicyWin32Test, TheMachinesPolicyKeySpeaks) {
  test::FakeRegistry registry;
  EXPECT_FALSE(runtime_install::DownloadTurnedOffForMachine(registry));
  registry.SetValue(platform::RegistryHive::LocalMachine, L"Software\\Policies\\Java Application Launcher",
                    L"Runtime Download", L"Off");
  EXPECT_TRUE(runtime_install::DownloadTurnedOffForMachine(registry));
  // The user's own tree is not the administrator's.
  test::FakeRegistry user;
  user.SetValue(platform::RegistryHive::CurrentUser, L"Software\\Policies\\Java Application Launcher",
                L"Runtime Download", L"off");
  EXPECT_FALSE(runtime_install::DownloadTurnedOffForMachine(user));
}

}  // namespace

}  // namespace launcher::runtime_install
