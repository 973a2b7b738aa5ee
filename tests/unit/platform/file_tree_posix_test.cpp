#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_tree.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

// Links in the tree are never followed: not to write, not to remove.
TEST(FileTreePosixTest, LinksAreNeverFollowed) {
  test::TempDir dir;
  const fs::path root = test::NativePath(dir.Path());
  test::WriteBytes(dir.Path(L"outside.txt"), "keep");
  fs::create_directories(root / "tree");
  fs::create_symlink(root / "outside.txt", root / "tree/link");
  fs::create_symlink(root / "missing.txt", root / "tree/dangling");
  fs::create_directory_symlink(root, root / "tree/up");

  EXPECT_FALSE(platform::WritableFile::CreateNew(dir.Path(L"tree/dangling"), platform::FilePermissions::Ordinary));
  EXPECT_FALSE(fs::exists(root / "missing.txt"));
  EXPECT_FALSE(platform::WritableFile::OpenForAppend(dir.Path(L"tree/link")));
  auto lock = platform::FileLock::TryTake(dir.Path(L"tree/link"));
  EXPECT_FALSE(lock);

  ASSERT_TRUE(platform::RemoveTree(dir.Path(L"tree")));
  EXPECT_FALSE(fs::exists(root / "tree"));
  EXPECT_EQ(test::ReadBytes(dir.Path(L"outside.txt")), "keep");
}

}  // namespace
