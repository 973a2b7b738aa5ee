#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "test_support.h"

namespace launcher::platform {

// What a file keeps when it gets new contents on POSIX: where it lies behind
// symbolic links, its permissions, owner and hard links; and a folder that may
// not be written still lets the file be rewritten in place.

namespace {

namespace fs = std::filesystem;

class FilesPosixTest : public testing::Test {
 protected:
  fs::path Native(const WideString& relative) { return test::NativePath(dir_.Path(relative)); }

  test::TempDir dir_;
};

TEST_F(FilesPosixTest, WritesThroughSymbolicLinksToTheirTarget) {
  test::WriteBytes(dir_.Path(L"real/settings.ini"), "old");
  fs::create_directory(Native(L"links"));
  fs::create_symlink("../real/settings.ini", Native(L"links/relative.ini"));
  fs::create_symlink(Native(L"links/relative.ini"), Native(L"absolute.ini"));
  ASSERT_TRUE(platform::ReplaceFileContents(dir_.Path(L"absolute.ini"), "new"));
  EXPECT_TRUE(fs::is_symlink(Native(L"absolute.ini")));
  EXPECT_TRUE(fs::is_symlink(Native(L"links/relative.ini")));
  EXPECT_EQ(test::ReadBytes(dir_.Path(L"real/settings.ini")), "new");
  // A link to a file not yet there makes the file.
  fs::create_symlink("made.ini", Native(L"dangling.ini"));
  ASSERT_TRUE(platform::ReplaceFileContents(dir_.Path(L"dangling.ini"), "made"));
  EXPECT_TRUE(fs::is_symlink(Native(L"dangling.ini")));
  EXPECT_EQ(test::ReadBytes(dir_.Path(L"made.ini")), "made");
  // A loop names no file.
  fs::create_symlink("loop-b.ini", Native(L"loop-a.ini"));
  fs::create_symlink("loop-a.ini", Native(L"loop-b.ini"));
  EXPECT_FALSE(platform::ReplaceFileContents(dir_.Path(L"loop-a.ini"), "x"));
}

TEST_F(FilesPosixTest, KeepsPermissionsOwnerAndHardLinks) {
  const WideString path = dir_.Path(L"settings.ini");
  test::WriteBytes(path, "old");
  ASSERT_EQ(chmod(Native(L"settings.ini").c_str(), 0640), 0);
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(chown(Native(L"settings.ini").c_str(), 4321, 8765), 0);
  }
  ASSERT_TRUE(platform::ReplaceFileContents(path, "new"));
  struct stat info;
  ASSERT_EQ(stat(Native(L"settings.ini").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 8765u);
  }
  EXPECT_EQ(test::ReadBytes(path), "new");

  fs::create_hard_link(Native(L"settings.ini"), Native(L"other name.ini"));
  ASSERT_TRUE(platform::ReplaceFileContents(path, "newer and longer"));
  EXPECT_EQ(test::ReadBytes(dir_.Path(L"other name.ini")), "newer and longer");
  EXPECT_EQ(fs::hard_link_count(Native(L"settings.ini")), 2u);
}

// In a folder that may not be written the file is rewritten in place. The
// superuser may write any folder, so a child that is another user tries it.
TEST_F(FilesPosixTest, AFolderThatMayNotBeWrittenGetsTheFileRewrittenInPlace) {
  const WideString path = dir_.Path(L"locked/settings.ini");
  test::WriteBytes(path, "[A]\nk=old value\n");
  const fs::path folder = Native(L"locked");
  ASSERT_EQ(chmod(test::NativePath(path).c_str(), 0666), 0);
  ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
  ASSERT_EQ(chmod(test::NativePath(dir_.Path()).c_str(), 0755), 0);
  struct stat before;
  ASSERT_EQ(stat(test::NativePath(path).c_str(), &before), 0);
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    if (geteuid() == 0 && setuid(65534) != 0) _exit(2);
    const bool shorter = static_cast<bool>(platform::ReplaceFileContents(path, "[A]\nk=new\n"));
    const bool longer = static_cast<bool>(platform::ReplaceFileContents(path, "[A]\nk=a new and longer value\n"));
    _exit(shorter && longer ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  chmod(folder.c_str(), 0755);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(test::ReadBytes(path), "[A]\nk=a new and longer value\n");
  struct stat info;
  ASSERT_EQ(stat(test::NativePath(path).c_str(), &info), 0);
  EXPECT_EQ(info.st_ino, before.st_ino);
}

// ---- Trees

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

}  // namespace launcher::platform
