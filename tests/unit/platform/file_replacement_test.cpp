#include "platform/file_replacement.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "test_support.h"

// Giving a file new contents on both systems: the file is replaced whole, a
// missing one is made, a read-only one is left alone.

namespace {

namespace fs = std::filesystem;

class FileReplacementTest : public testing::Test {
 protected:
  std::vector<fs::path> Entries() {
    return std::vector<fs::path>(fs::directory_iterator(test::NativePath(dir_.Path())), fs::directory_iterator());
  }

  test::TempDir dir_;
  WideString path_ = dir_.Path(L"settings.ini");
};

TEST_F(FileReplacementTest, ReplacesTheContentsAndLeavesNoOtherFile) {
  test::WriteBytes(path_, "[A]\r\nk=a longer old value\r\n");
  ASSERT_TRUE(platform::ReplaceFileContents(path_, "[A]\r\nk=new\r\n"));
  EXPECT_EQ(test::ReadBytes(path_), "[A]\r\nk=new\r\n");
  EXPECT_EQ(Entries(), std::vector<fs::path>{test::NativePath(path_)});
}

TEST_F(FileReplacementTest, CreatesAMissingFile) {
  ASSERT_TRUE(platform::ReplaceFileContents(path_, "[A]\r\n"));
  EXPECT_EQ(test::ReadBytes(path_), "[A]\r\n");
  EXPECT_FALSE(platform::ReplaceFileContents(dir_.Path(L"no folder") + L"/x.ini", "[A]\r\n"));
}

TEST_F(FileReplacementTest, LeavesAReadOnlyFileAsItWas) {
  test::WriteBytes(path_, "[A]\r\nk=old\r\n");
  const fs::path native = test::NativePath(path_);
  fs::permissions(native, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_FALSE(platform::ReplaceFileContents(path_, "[A]\r\nk=new\r\n"));
  EXPECT_EQ(test::ReadBytes(path_), "[A]\r\nk=old\r\n");
  EXPECT_EQ(Entries(), std::vector<fs::path>{native});
  fs::permissions(native, fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(FileReplacementTest, ReadsWholeFilesAndTellsMissingOnes) {
  const std::string bytes = std::string("\xFF\xFE[\0A\0]\0", 8) + std::string(10000, 'x');
  test::WriteBytes(path_, bytes);
  platform::FileBytes read = platform::ReadWholeFile(path_);
  EXPECT_EQ(read.state, platform::FileState::Present);
  EXPECT_EQ(read.bytes, bytes);
  EXPECT_EQ(platform::ReadWholeFile(dir_.Path(L"none.ini")).state, platform::FileState::Missing);
}

}  // namespace
