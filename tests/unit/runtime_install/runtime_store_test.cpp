#include "runtime_install/runtime_store.h"
#include "runtime_install/store_layout.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "test_support.h"

namespace launcher::runtime_install {

namespace {

using runtime_install::RuntimeStore;
namespace fs = std::filesystem;

const std::string kSha = "0123456789abcdef" + std::string(48, '7');
const std::string kKey = "0123456789abcdef";
constexpr int64_t kDay = 24ll * 3600 * 1000000000;

// A runtime folder as a completed install leaves it.
void MakeComplete(const RuntimeStore& store, const std::string& key, const std::string& sha) {
  test::Touch(test::Join({RuntimeStore::ContentFolder(store.UnpackFolder(key)), L"jdk", L"release"}));
  ASSERT_TRUE(store.Complete(key, runtime_install::MarkerText(sha, "jdk", "17.0.2")));
}

TEST(RuntimeStoreTest, AHashAndItsKey) {
  std::optional<platform::Sha256Digest> digest =
      runtime_install::ParseSha256("E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855");
  ASSERT_TRUE(digest);
  EXPECT_EQ(runtime_install::HexOf(*digest), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(runtime_install::StoreKeyOf(*digest), "e3b0c44298fc1c14");
  for (const char* bad : {"", "e3b0", "g3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855",
                          "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b85500"}) {
    EXPECT_FALSE(runtime_install::ParseSha256(bad)) << bad;
  }
  const WideString s(1, platform::kPathSeparator);
  EXPECT_EQ(runtime_install::StoreFolderFor(L"data", L"My: App", L"code"),
            L"data" + s + L"My App" + s + L"code" + s + runtime_install::kStoreFolderName + s);
  EXPECT_EQ(runtime_install::StoreFolderFor(L"", L"App", L"code"), L"");
}

TEST(RuntimeStoreTest, ARuntimeIsFoundOnlyThroughItsMarker) {
  test::TempDir dir;
  const RuntimeStore store(dir.Path());
  // Unpacked and even renamed, but never marked complete: not a runtime.
  test::Touch(test::Join({RuntimeStore::ContentFolder(store.RuntimeFolder(kKey)), L"jdk", L"release"}));
  EXPECT_FALSE(store.Find(kKey));
  EXPECT_TRUE(store.Installed().empty());

  fs::remove_all(test::NativePath(store.RuntimeFolder(kKey)));
  MakeComplete(store, kKey, kSha);
  std::optional<runtime_install::StoredRuntime> found = store.Find(kKey);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->home, test::Join({store.RuntimeFolder(kKey), L"runtime", L"jdk"}));
  EXPECT_EQ(found->sha256, kSha);
  EXPECT_EQ(found->version, "17.0.2");
  EXPECT_FALSE(fs::exists(test::NativePath(store.UnpackFolder(kKey))));
  ASSERT_EQ(store.Installed().size(), 1u);

  // A marker of another archive does not make this one.
  const std::string other = "fedcba9876543210";
  MakeComplete(store, other, kSha);
  EXPECT_FALSE(store.Find(other));
}

TEST(RuntimeStoreTest, CompletingNeverReplacesARuntime) {
  test::TempDir dir;
  const RuntimeStore store(dir.Path());
  MakeComplete(store, kKey, kSha);
  test::Touch(test::Join({store.UnpackFolder(kKey), L"runtime", L"second"}));
  EXPECT_FALSE(store.Complete(kKey, runtime_install::MarkerText(kSha, "", "")));
  EXPECT_TRUE(store.Find(kKey));
  EXPECT_FALSE(fs::exists(test::NativePath(test::Join({store.RuntimeFolder(kKey), L"runtime", L"second"}))));
}

TEST(RuntimeStoreTest, StaleWorkGoesAndRecentDownloadsStay) {
  test::TempDir dir;
  const RuntimeStore store(dir.Path());
  MakeComplete(store, kKey, kSha);
  const std::string young = "1111111111111111", old = "2222222222222222", unmarked = "3333333333333333";
  test::WriteBytes(store.PartFile(young), "resume me");
  test::WriteBytes(store.PartFile(old), "forgotten");
  test::WriteBytes(store.PartFile(kKey), "the archive of a complete runtime");
  test::Touch(test::Join({store.UnpackFolder(young), L"runtime", L"half"}));
  test::Touch(test::Join({store.RuntimeFolder(unmarked), L"runtime", L"x"}));
  test::Touch(store.LockFile());
  const auto twoDaysAgo = fs::file_time_type::clock::now() - std::chrono::hours(48);
  fs::last_write_time(test::NativePath(store.PartFile(old)), twoDaysAgo);

  test::RecordingTrace trace;
  const int64_t now =
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch()).count();
  store.RemoveStaleWork(now, kDay, trace);

  EXPECT_TRUE(fs::exists(test::NativePath(store.PartFile(young))));
  EXPECT_FALSE(fs::exists(test::NativePath(store.PartFile(old))));
  EXPECT_FALSE(fs::exists(test::NativePath(store.PartFile(kKey))));
  EXPECT_FALSE(fs::exists(test::NativePath(store.UnpackFolder(young))));
  EXPECT_FALSE(fs::exists(test::NativePath(store.RuntimeFolder(unmarked))));
  EXPECT_TRUE(store.Find(kKey));
  EXPECT_TRUE(fs::exists(test::NativePath(store.LockFile())));
  EXPECT_EQ(trace.Events("runtime-store").size(), 4u);
}

TEST(RuntimeStoreTest, TheLockHasOneHolderAtATime) {
  test::TempDir dir;
  const RuntimeStore store(dir.Path());
  auto first = platform::FileLock::TryTake(store.LockFile());
  ASSERT_TRUE(first && *first);
  auto second = platform::FileLock::TryTake(store.LockFile());
  ASSERT_TRUE(second);
  EXPECT_FALSE(*second);
  first->reset();
  auto third = platform::FileLock::TryTake(store.LockFile());
  ASSERT_TRUE(third);
  EXPECT_TRUE(*third);
}

}  // namespace

}  // namespace launcher::runtime_install
