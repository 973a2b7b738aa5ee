#include "platform/ini.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "test_support.h"

namespace launcher::platform {

// What our own reader and writer promise beyond the shared suite.

namespace {

class IniPosixTest : public testing::Test {
 protected:
  test::TempDir dir_;
  WideString path_ = dir_.Path(L"settings.ini");
};

// A new file carries a UTF-8 byte-order mark so that Windows, which reads a file
// without one in its ANSI code page, finds the same characters in it.
TEST_F(IniPosixTest, NewFileIsUtf8WithByteOrderMark) {
  ASSERT_TRUE(platform::WriteIniValue(path_, L"Java Runtime Environment", L"JRE Path", L"/opt/jdk-ü"));
  EXPECT_EQ(test::ReadBytes(path_), "\xEF\xBB\xBF[Java Runtime Environment]\nJRE Path=/opt/jdk-\xC3\xBC\n");
}

// A file that is there but cannot be read must not be replaced by one holding only
// the new key.
TEST_F(IniPosixTest, UnreadableFileIsNotReplaced) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser can read any file";
  test::WriteBytes(path_, "[A]\nk=1\nj=2\n");
  std::filesystem::permissions(test::NativePath(path_), std::filesystem::perms::owner_write);
  EXPECT_FALSE(platform::WriteIniValue(path_, L"A", L"k", L"3"));
  std::filesystem::permissions(test::NativePath(path_), std::filesystem::perms::owner_read);
  EXPECT_EQ(test::ReadBytes(path_), "[A]\nk=1\nj=2\n");
}

}  // namespace

}  // namespace launcher::platform
