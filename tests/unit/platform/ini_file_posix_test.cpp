#include "platform/ini_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "test_support.h"

// What our own reader and writer promise beyond the shared suite: a write changes
// only the line it sets or adds, byte for byte, so a settings file written by hand
// keeps its layout; and the file is replaced whole, keeping its permissions.

namespace {

struct TextCase {
  const char* name;
  const char* before;
  const wchar_t* section;
  const wchar_t* key;
  const wchar_t* value;
  const char* after;
};

void PrintTo(const TextCase& c, std::ostream* out) { *out << c.name; }

class IniPosixTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(IniPosixTextTest, ChangesOnlyOneLine) {
  const TextCase& c = GetParam();
  test::TempDir dir;
  const WideString path = dir.Path(L"settings.ini");
  test::WriteBytes(path, c.before);
  ASSERT_TRUE(platform::WriteIniString(c.section, c.key, c.value, path));
  EXPECT_EQ(test::ReadBytes(path), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Ini, IniPosixTextTest,
    testing::Values(TextCase{"ReplacesOnlyTheValue", "; head\n\n[A]\n  Key = old  \n\n[B]\nb=1\n", L"a", L"KEY", L"new",
                             "; head\n\n[A]\n  Key = new\n\n[B]\nb=1\n"},
                    TextCase{"GivesBareKeyAValue", "[A]\n  flag  \n", L"A", L"flag", L"on", "[A]\nflag=on\n"},
                    TextCase{"AddsKeyBeforeBlankLinesThatEndSection", "[A]\nk=1\n\n\n[B]\n", L"A", L"j", L"2",
                             "[A]\nk=1\nj=2\n\n\n[B]\n"},
                    TextCase{"AddsKeyToEmptySection", "[A]\n[B]\n", L"A", L"k", L"1", "[A]\nk=1\n[B]\n"},
                    TextCase{"AddsSectionAfterLastLine", "[A]\nk=1", L" C ", L" c ", L"3", "[A]\nk=1\n[C]\nc=3\n"},
                    TextCase{"KeepsCrlfLineEnds", "[A]\r\nk=1\r\n\r\n", L"B", L"b", L"2",
                             "[A]\r\nk=1\r\n\r\n[B]\r\nb=2\r\n"},
                    TextCase{"KeepsUtf8ByteOrderMark", "\xEF\xBB\xBF[A]\nk=1\n", L"A", L"k", L"Grüße",
                             "\xEF\xBB\xBF[A]\nk=Gr\xC3\xBC\xC3\x9F"
                             "e\n"}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

class IniPosixTest : public testing::Test {
 protected:
  test::TempDir dir_;
  WideString path_ = dir_.Path(L"settings.ini");
};

// A new file carries a UTF-8 byte-order mark so that Windows, which reads a file
// without one in its ANSI code page, finds the same characters in it.
TEST_F(IniPosixTest, NewFileIsUtf8WithByteOrderMark) {
  ASSERT_TRUE(platform::WriteIniString(L"Java Runtime Environment", L"JRE Path", L"/opt/jdk-ü", path_));
  EXPECT_EQ(test::ReadBytes(path_), "\xEF\xBB\xBF[Java Runtime Environment]\nJRE Path=/opt/jdk-\xC3\xBC\n");
}

TEST_F(IniPosixTest, ReplacedFileKeepsPermissionsAndNoTemporaryRemains) {
  test::WriteBytes(path_, "[A]\nk=1\n");
  const std::filesystem::path native = test::NativePath(path_);
  std::filesystem::permissions(native, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
  ASSERT_TRUE(platform::WriteIniString(L"A", L"k", L"2", path_));
  EXPECT_EQ(
      std::filesystem::status(native).permissions() & std::filesystem::perms::all,
      std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read);
  std::vector<std::filesystem::path> entries(std::filesystem::directory_iterator(test::NativePath(dir_.Path())),
                                             std::filesystem::directory_iterator());
  EXPECT_EQ(entries, std::vector<std::filesystem::path>{native});
}

// A file that is there but cannot be read must not be replaced by one holding only
// the new key (WritePrivateProfileStringW fails there too).
TEST_F(IniPosixTest, UnreadableFileIsNotReplaced) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser can read any file";
  test::WriteBytes(path_, "[A]\nk=1\nj=2\n");
  std::filesystem::permissions(test::NativePath(path_), std::filesystem::perms::owner_write);
  EXPECT_FALSE(platform::WriteIniString(L"A", L"k", L"3", path_));
  std::filesystem::permissions(test::NativePath(path_), std::filesystem::perms::owner_read);
  EXPECT_EQ(test::ReadBytes(path_), "[A]\nk=1\nj=2\n");
}

// The settings reader doubles its buffer only while a value fills it, so a quoted
// value exactly one shorter than the buffer must come back whole. (Wine's
// GetPrivateProfileStringW drops its last character there.)
TEST_F(IniPosixTest, QuotedValueOneShorterThanBufferComesWhole) {
  test::WriteBytes(path_, "[s]\nk=\"abcd\"\n");
  wchar_t buffer[5];
  EXPECT_EQ(platform::ReadIniString(L"s", L"k", buffer, 5, path_), 4u);
  EXPECT_EQ(WideString(buffer), L"abcd");
}

}  // namespace
