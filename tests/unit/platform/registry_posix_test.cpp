#include "platform/registry.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "test_support.h"

namespace launcher::platform {

namespace {

const WideString kJdkKey = L"Software\\JavaSoft\\Java Development Kit\\";
const WideString kJreKey = L"Software\\JavaSoft\\Java Runtime Environment\\";

class RegistryPosixTest : public testing::Test {
 protected:
  void Runtime(const WideString& folder, const std::string& version, const std::string& marker = "lib/libjava.so") {
    test::Touch(dir_.Path(folder + L"/" + std::wstring(marker.begin(), marker.end())));
    if (!version.empty())
      test::WriteBytes(dir_.Path(folder + L"/release"), "IMPLEMENTOR=\"X\"\nJAVA_VERSION=\"" + version + "\"\n");
  }

  std::vector<WideString> Subkeys(const WideString& key) {
    std::vector<WideString> names;
    std::unique_ptr<RegistryKey> opened = registry_->OpenMachineKey(key, false);
    for (uint32_t i = 0; opened; ++i) {
      std::optional<WideString> name = opened->SubkeyName(i);
      if (!name) break;
      names.push_back(*name);
    }
    return names;
  }

  std::optional<WideString> JavaHome(const WideString& key) {
    std::unique_ptr<RegistryKey> opened = registry_->OpenMachineKey(key, false);
    return opened ? opened->TextValue(L"JavaHome") : std::nullopt;
  }

  test::TempDir dir_;
  std::unique_ptr<Registry> registry_ = platform::MakeInstalledRuntimesRegistry(dir_.Path());
};

TEST_F(RegistryPosixTest, ModernRuntimesAreRegisteredRuntimesAndOldJdksAreJdks) {
  Runtime(L"java-17", "17.0.2");
  Runtime(L"java-8-jdk/jre", "", "lib/amd64/libjava.so");
  test::WriteBytes(dir_.Path(L"java-8-jdk/release"), "JAVA_VERSION=\"1.8.0_292\"\n");
  Runtime(L"no-release", "");
  test::Touch(dir_.Path(L"not-a-runtime/release"));
  std::filesystem::create_symlink(test::NativePath(dir_.Path(L"java-17")), test::NativePath(dir_.Path(L"alias-17")));

  EXPECT_EQ(Subkeys(kJreKey), std::vector<WideString>{L"17.0.2"});  // the link is the same folder
  EXPECT_EQ(Subkeys(kJdkKey), std::vector<WideString>{L"1.8.0_292"});
  EXPECT_EQ(JavaHome(kJreKey + L"17.0.2"), dir_.Path(L"java-17"));
  EXPECT_EQ(JavaHome(kJdkKey + L"1.8.0_292"), dir_.Path(L"java-8-jdk"));
  EXPECT_EQ(JavaHome(kJreKey + L"1.8.0_292"), std::nullopt);
  EXPECT_EQ(registry_->OpenMachineKey(kJreKey, true), nullptr);  // no 32-bit view
  EXPECT_EQ(registry_->OpenMachineKey(L"Software\\IBM\\Java2 Runtime Environment\\", false), nullptr);
}

// What a damaged or hand-made /usr/lib/jvm may hold is passed over: links
// that lead nowhere or round in a circle, a "release" that is a folder or a
// FIFO (reading it must not wait for a writer), a folder that cannot be read.
TEST_F(RegistryPosixTest, DamagedEntriesArePassedOver) {
  namespace fs = std::filesystem;
  Runtime(L"java-17", "17.0.2");
  fs::create_symlink(test::NativePath(dir_.Path(L"gone")), test::NativePath(dir_.Path(L"dangling")));
  fs::create_symlink(test::NativePath(dir_.Path(L"loop-b")), test::NativePath(dir_.Path(L"loop-a")));
  fs::create_symlink(test::NativePath(dir_.Path(L"loop-a")), test::NativePath(dir_.Path(L"loop-b")));
  Runtime(L"release-folder", "");
  fs::create_directories(test::NativePath(dir_.Path(L"release-folder/release")));
  Runtime(L"release-fifo", "");
  ASSERT_EQ(mkfifo(test::NativePath(dir_.Path(L"release-fifo/release")).c_str(), 0644), 0);
  test::WriteBytes(dir_.Path(L"release-huge/release"), std::string(1 << 20, 'x') + "\nJAVA_VERSION=\"99\"\n");
  Runtime(L"release-huge", "");

  EXPECT_EQ(Subkeys(kJreKey), std::vector<WideString>{L"17.0.2"});
  EXPECT_TRUE(Subkeys(kJdkKey).empty());
}

TEST_F(RegistryPosixTest, AnUnreadableRootListsNothing) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser can read any folder";
  Runtime(L"java-17", "17.0.2");
  ASSERT_EQ(chmod(test::NativePath(dir_.Path()).c_str(), 0), 0);
  EXPECT_TRUE(Subkeys(kJreKey).empty());
  chmod(test::NativePath(dir_.Path()).c_str(), 0700);
}

TEST_F(RegistryPosixTest, AMissingRootListsNothing) {
  registry_ = platform::MakeInstalledRuntimesRegistry(dir_.Path(L"absent"));
  EXPECT_TRUE(Subkeys(kJreKey).empty());
}

}  // namespace

}  // namespace launcher::platform
