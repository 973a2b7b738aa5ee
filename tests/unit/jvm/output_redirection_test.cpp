#include "jvm/output_redirection.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/paths.h"
#include "test_support.h"

namespace launcher::jvm {

namespace {

using test::Join;

platform::LocalTime At(int year, int month, int day, int hour, int minute, int second, int milliseconds = 0) {
  platform::LocalTime time;
  time.year = year;
  time.month = month;
  time.day = day;
  time.hour = hour;
  time.minute = minute;
  time.second = second;
  time.milliseconds = milliseconds;
  return time;
}

TEST(ExpandTimePlaceholdersTest, FormatsTheTextBetweenTheFirstAndLastPercentSign) {
  const platform::LocalTime time = At(2026, 12, 7, 15, 1, 50, 42);
  struct Case {
    const wchar_t* name;
    const wchar_t* expected;
  } cases[] = {
      {L"run_%yyyy-MM-dd_HH-mm-ss%.log", L"run_2026-12-07_15-01-50.log"},
      {L"plain.log", L"plain.log"},
      {L"single%.log", L"single.log"},             // one "%" is a pattern of nothing
      {L"a%yyyy%b%MM%c.log", L"a2026%b%12c.log"},  // the middle "%" signs are literal
      {L"ms%ss.L%.log", L"ms50.42.log"},
      {L"%'dd'%", L"07"},     // quotes protect only from the first pass
      {L"%h tt%", L"3 P12"},  // tt's M is read as the month
      {L"%%.log", L".log"},
  };
  for (const Case& c : cases) {
    WideString name = c.name;
    ExpandTimePlaceholders(name, time);
    EXPECT_EQ(name, c.expected) << c.name;
  }
}

class CreateParentFoldersTest : public testing::Test {
 protected:
  test::TempDir dir_;
};

TEST_F(CreateParentFoldersTest, MakesTheMissingFoldersInOrder) {
  const WideString file = Join({dir_.Path(), L"one", L"two", L"three", L"out.log"});
  EXPECT_TRUE(CreateParentFolders(file));
  EXPECT_TRUE(platform::FileExists(Join({dir_.Path(), L"one", L"two", L"three"})));
  EXPECT_FALSE(platform::FileExists(file));
  EXPECT_TRUE(CreateParentFolders(file));  // all there already
  test::Touch(file);
  EXPECT_TRUE(CreateParentFolders(file));
}

// "/" separates folders on either system (Windows accepts both).
TEST_F(CreateParentFoldersTest, SlashesSeparateFoldersToo) {
  EXPECT_TRUE(CreateParentFolders(dir_.Path() + L"/one/two/out.log"));
  EXPECT_TRUE(platform::FileExists(Join({dir_.Path(), L"one", L"two"})));
}

TEST_F(CreateParentFoldersTest, AFolderThatCannotBeMadeLeavesNoEmptyFoldersBehind) {
  // No file system takes a name of 300 characters.
  const WideString tooLong(300, L'x');
  EXPECT_FALSE(CreateParentFolders(Join({dir_.Path(), L"new1", L"new2", tooLong, L"out.log"})));
  EXPECT_FALSE(platform::FileExists(Join({dir_.Path(), L"new1"})));
  // A folder that was there before stays, empty as it is.
  test::Touch(Join({dir_.Path(), L"old", L"file"}));
  std::filesystem::remove(test::NativePath(Join({dir_.Path(), L"old", L"file"})));
  EXPECT_FALSE(CreateParentFolders(Join({dir_.Path(), L"old", L"new", tooLong, L"out.log"})));
  EXPECT_TRUE(platform::FileExists(Join({dir_.Path(), L"old"})));
  EXPECT_FALSE(platform::FileExists(Join({dir_.Path(), L"old", L"new"})));
}

TEST_F(CreateParentFoldersTest, RelativePathsMakeTheirFirstFolderToo) {
  const WideString here = dir_.Path();
  ASSERT_TRUE(platform::ChangeCurrentFolder(here));
  EXPECT_TRUE(CreateParentFolders(Join({L"logs", L"day", L"out.log"})));
  EXPECT_TRUE(platform::FileExists(Join({here, L"logs", L"day"})));
  // Leave the folder before it is removed.
  platform::ChangeCurrentFolder(test::FromNative(std::filesystem::temp_directory_path()));
}

}  // namespace

}  // namespace launcher::jvm
