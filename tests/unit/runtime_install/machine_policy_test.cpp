#include "runtime_install/machine_policy.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace launcher::runtime_install {

namespace {

TEST(MachinePolicyTest, OnlyOffTurnsTheDownloadOff) {
  EXPECT_TRUE(runtime_install::TurnsDownloadOff(L"off"));
  EXPECT_TRUE(runtime_install::TurnsDownloadOff(L" OFF "));
  for (const wchar_t* other : {L"", L"on", L"0", L"of"})
    EXPECT_FALSE(runtime_install::TurnsDownloadOff(WideString(other)));
  EXPECT_FALSE(runtime_install::TurnsDownloadOff(std::nullopt));
}

}  // namespace

}  // namespace launcher::runtime_install
