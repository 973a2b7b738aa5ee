#include "platform/file_operations.h"
#include "platform/file_replacement.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_identity.h"
#include "platform/file_system.h"
#include "test_support.h"

namespace {

using test::Join;

void MakeReadOnly(const WideString& path) {
  std::filesystem::permissions(test::NativePath(path), std::filesystem::perms::owner_read |
                                                           std::filesystem::perms::group_read |
                                                           std::filesystem::perms::others_read);
}

// A small file of another program: its start, never more than the limit, and
// nothing from what only stands in its place.
TEST(FileOperationsTest, TheStartOfAFileIsReadUpToTheLimit) {
  test::TempDir dir;
  const std::string bytes = std::string(100, 'a') + std::string(100, 'b');
  ASSERT_TRUE(platform::WriteFileBytes(dir.Path(L"file"), bytes));
  ASSERT_TRUE(platform::WriteFileBytes(dir.Path(L"empty"), ""));
  std::filesystem::create_directory(test::NativePath(dir.Path(L"folder")));
  EXPECT_EQ(platform::ReadFileStart(dir.Path(L"file"), 150), bytes.substr(0, 150));
  EXPECT_EQ(platform::ReadFileStart(dir.Path(L"file"), 1000), bytes);
  EXPECT_EQ(platform::ReadFileStart(dir.Path(L"empty"), 10), "");
  EXPECT_EQ(platform::ReadFileStart(dir.Path(L"folder"), 10), "");
  EXPECT_EQ(platform::ReadFileStart(dir.Path(L"missing"), 10), "");
}

TEST(FileOperationsTest, WrittenBytesReadBackWholeAndAWriteEmptiesFirst) {
  test::TempDir dir;
  const WideString path = dir.Path(L"data.bin");
  const std::string bytes("a\0b\r\n\xFF", 6);
  ASSERT_TRUE(platform::WriteFileBytes(path, bytes));
  EXPECT_EQ(platform::ReadWholeFile(path).bytes, bytes);
  ASSERT_TRUE(platform::WriteFileBytes(path, "x"));
  EXPECT_EQ(platform::ReadWholeFile(path).bytes, "x");
  ASSERT_TRUE(platform::WriteFileBytes(path, ""));
  EXPECT_EQ(platform::ReadWholeFile(path).state, platform::FileState::Present);
  EXPECT_EQ(platform::ReadWholeFile(path).bytes, "");
  EXPECT_FALSE(platform::WriteFileBytes(Join({dir.Path(L"no folder"), L"data.bin"}), "x"));
}

TEST(FileOperationsTest, AMoveReplacesEvenAReadOnlyFileAndDeleteRemovesOne) {
  test::TempDir dir;
  const WideString target = dir.Path(L"archive");
  test::WriteBytes(target, "old");
  MakeReadOnly(target);
  test::WriteBytes(dir.Path(L"new"), "new");
  ASSERT_TRUE(platform::MoveFileReplacing(dir.Path(L"new"), target));
  EXPECT_EQ(test::ReadBytes(target), "new");
  EXPECT_FALSE(platform::FileExists(dir.Path(L"new")));
  EXPECT_FALSE(platform::MoveFileReplacing(dir.Path(L"new"), target));

  MakeReadOnly(target);
  EXPECT_TRUE(platform::RemoveFile(target));
  EXPECT_FALSE(platform::FileExists(target));
  EXPECT_FALSE(platform::RemoveFile(target));
}

TEST(FileOperationsTest, IdentityTellsFilesFromFoldersAndChanges) {
  test::TempDir dir;
  const WideString file = dir.Path(L"a.jar");
  test::WriteBytes(file, "12345");
  const platform::FileIdentity identity = platform::QueryFileIdentity(file);
  EXPECT_TRUE(identity.exists);
  EXPECT_TRUE(identity.regularFile);
  EXPECT_EQ(identity.size, 5u);
  // Nanoseconds since 1970: a file written now lies well after 2020.
  EXPECT_GT(identity.modified, int64_t{1577836800} * 1000000000);

  // Whole seconds apart (some C++ runtimes set times to the second only).
  const auto earlier =
      std::chrono::floor<std::chrono::seconds>(std::filesystem::last_write_time(test::NativePath(file)));
  std::filesystem::last_write_time(test::NativePath(file), earlier);
  const int64_t before = platform::QueryFileIdentity(file).modified;
  std::filesystem::last_write_time(test::NativePath(file), earlier + std::chrono::seconds(10));
  EXPECT_EQ(platform::QueryFileIdentity(file).modified - before, int64_t{10} * 1000000000);

  const platform::FileIdentity folder = platform::QueryFileIdentity(dir.Path());
  EXPECT_TRUE(folder.exists);
  EXPECT_FALSE(folder.regularFile);
  EXPECT_FALSE(platform::QueryFileIdentity(dir.Path(L"missing")).exists);
}

}  // namespace
