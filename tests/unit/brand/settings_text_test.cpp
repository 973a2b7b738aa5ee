#include "brand/settings_text.h"

#include <gtest/gtest.h>

#include <utility>

namespace launcher::brand {
namespace {

TEST(SettingsTextTest, NamesByLineWhatTheLauncherWouldNotRead) {
  BrandResult<CheckedSettings> checked = CheckSettingsBytes(
      "\xEF\xBB\xBF[Application]\r\n"
      "Main Clas=com.example.App\r\n"
      "main class=com.example.App\r\n"
      "Main Class=com.example.App\r\n"
      "App User Model ID=Example Viewer\r\n"
      "[Display]\r\n"
      "Splash Screen=s.png\r\n"
      "[Java Runtime Environment]\r\n"
      "JRE Path=jre\r\n"
      "Minimum Version=11\r\n"
      "User Options=some\r\n"
      "[Application]\r\n"
      "[Colours]\r\n");
  ASSERT_TRUE(checked) << checked.error().message;
  const std::vector<std::string> expected{
      "line 2: unknown key \"Main Clas\" in [Application]",
      "line 3: unknown key \"main class\" in [Application] (the launcher reads \"Main Class\", letter case included)",
      "line 5: \"Example Viewer\" holds a space or a control character: the launcher ignores this App User Model ID",
      "line 6: [Display] is read only from the settings file beside the executable, not from the built-in settings",
      "line 10: \"Minimum Version\" is set but \"Maximum Version\" is not, so the upper bound is 0.0.0.0 and no "
      "installed runtime qualifies: users who install Java are still asked for it; add \"Maximum Version=any\" (or "
      "the highest version the application supports)",
      "line 11: User Options=some is not all, memory or off: the launcher takes memory",
      "line 12: [Application] repeats the section of line 1; only the first is read",
      "line 13: unknown section [Colours]",
  };
  EXPECT_EQ(checked->notices, expected);
  EXPECT_EQ(checked->lineEnds, LineEnds::Kept);
  // UTF-16LE with its byte-order mark is read too.
  BrandResult<CheckedSettings> utf16 = CheckSettingsBytes(std::string("\xFF\xFE[\0A\0]\0\r\0\n\0", 12));
  ASSERT_TRUE(utf16) << utf16.error().message;
  EXPECT_EQ(utf16->notices, std::vector<std::string>{"line 1: unknown section [A]"});
}

TEST(SettingsTextTest, AnUpperBoundOfAnyKindSilencesTheBoundsNotice) {
  for (const char* maximum : {"any", "21", "1.8"}) {
    BrandResult<CheckedSettings> checked = CheckSettingsBytes(
        std::string("[Java Runtime Environment]\r\nMinimum Version=17\r\nMaximum Version=") + maximum + "\r\n");
    ASSERT_TRUE(checked) << maximum;
    EXPECT_TRUE(checked->notices.empty()) << maximum;
  }
  BrandResult<CheckedSettings> empty =
      CheckSettingsBytes("[Java Runtime Environment]\r\nMaximum Version=\r\nMinimum Version=17\r\n");
  ASSERT_TRUE(empty);
  ASSERT_EQ(empty->notices.size(), 1u);
  EXPECT_EQ(empty->notices[0].rfind("line 3: \"Minimum Version\" is set", 0), 0u) << empty->notices[0];
}

TEST(SettingsTextTest, LinesEndingInLfAloneGetTheirCrAndNothingElseChanges) {
  const struct {
    const char* name;
    std::string bytes;
    std::string stored;
  } cases[] = {
      {"LF only", "[Application]\nMain Class=a\n", "[Application]\r\nMain Class=a\r\n"},
      {"mixed, lone CR kept", "\xEF\xBB\xBF[A]\r\nk=\r1\n\n", "\xEF\xBB\xBF[A]\r\nk=\r1\r\n\r\n"},
      {"UTF-16LE", std::string("\xFF\xFE[\0\n\0\r\0\n\0\n\x01", 12),
       std::string("\xFF\xFE[\0\r\0\n\0\r\0\n\0\n\x01", 14)},
      {"CR LF already", "[A]\r\nk=v", "[A]\r\nk=v"},
  };
  for (const auto& each : cases) {
    BrandResult<CheckedSettings> checked = CheckSettingsBytes(each.bytes);
    ASSERT_TRUE(checked) << each.name;
    EXPECT_EQ(checked->bytes, each.stored) << each.name;
    EXPECT_EQ(checked->lineEnds, each.bytes == each.stored ? LineEnds::Kept : LineEnds::MadeCrLf) << each.name;
  }
  // Read as the launcher reads them, the stored lines are separate lines again.
  BrandResult<CheckedSettings> typo = CheckSettingsBytes("[Application]\nMain Clas=x\n");
  ASSERT_TRUE(typo);
  EXPECT_EQ(typo->notices, std::vector<std::string>{"line 2: unknown key \"Main Clas\" in [Application]"});
}

// A pinned runtime that the launcher would ignore is said, mirrors are known keys.
TEST(SettingsTextTest, NamesARuntimeDownloadSectionTheLauncherWouldIgnore) {
  const std::string sha256(64, 'a');
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases{
      {"Archive URL=https://x/a.zip\r\nArchive URL 2=b.zip\r\nArchive SHA-256=" + sha256 + "\r\nArchive Size=100\r\n",
       {}},
      {"Archive URL=https://x/a.zip\r\nArchive SHA-256=" + sha256.substr(1) + "\r\n",
       {"line 3: [Runtime Download] has no well-formed \"Archive SHA-256\" (64 hexadecimal digits): the launcher "
        "ignores the section and offers no runtime"}},
      {"Archive URL=https://x/a.zip\r\nArchive URL 0=b.zip\r\n",
       {"line 1: [Runtime Download] has no well-formed \"Archive SHA-256\" (64 hexadecimal digits): the launcher "
        "ignores the section and offers no runtime",
        "line 3: unknown key \"Archive URL 0\" in [Runtime Download]"}},
      {"Archive SHA-256=" + sha256 + "\r\nArchive Size=10 MB\r\n",
       {"line 1: [Runtime Download] has no \"Archive URL\": the launcher ignores the section",
        "line 3: \"Archive Size\" is not a number of bytes: the launcher does not use it"}},
  };
  for (const auto& [body, expected] : cases) {
    BrandResult<CheckedSettings> checked = CheckSettingsBytes("[Runtime Download]\r\n" + body);
    ASSERT_TRUE(checked) << checked.error().message;
    EXPECT_EQ(checked->notices, expected) << body;
  }
}

TEST(SettingsTextTest, RefusesWhatIsNotTextOrTooLarge) {
  const struct {
    const char* name;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"NUL", std::string("[Application]\r\nMain Class=a\0b", 29), "is not text"},
      {"invalid UTF-8", "[Application]\r\nMain Class=\xC3(", "is not text"},
      {"overlong UTF-8", "\xC0\xAF", "is not text"},
      {"odd UTF-16", std::string("\xFF\xFE[\0A", 5), "is not text"},
      {"lone surrogate", std::string("\xFF\xFE\x00\xD8[\0", 6), "is not text"},
      {"UTF-16 big-endian", std::string("\xFE\xFF\0[", 4), "big-endian"},
      {"over 2 MB", std::string(kLargestSettingsBytes + 1, ';'), "larger than the launcher reads"},
  };
  for (const auto& each : cases) {
    BrandResult<CheckedSettings> checked = CheckSettingsBytes(each.bytes);
    ASSERT_FALSE(checked) << each.name;
    EXPECT_NE(checked.error().message.find(each.message), std::string::npos) << each.name;
  }
  EXPECT_TRUE(CheckSettingsBytes(std::string(kLargestSettingsBytes, ';')));
  // Within the limit as given, past it once every LF has its CR.
  EXPECT_FALSE(CheckSettingsBytes(std::string(kLargestSettingsBytes, '\n')));
}

}  // namespace
}  // namespace launcher::brand
