#include "settings/builtin_settings.h"

#include <gtest/gtest.h>

namespace launcher::settings {

namespace {

TEST(BuiltinSettingsTest, ParsesSectionsAndTrimmedPairs) {
  BuiltinSettings settings = ParseBuiltinSettings(
      L"\xFEFF[Application]\r\n"
      L"  Main Class = com.example.App  \r\n"
      L"\r\n"
      L"no equals sign\r\n"
      L"Cmd=a=b\r\n"
      L" [ Spaced ] \r\n"
      L"k=v\r\n");
  EXPECT_EQ(settings.Find(L"Application", L"Main Class"), L"com.example.App");
  EXPECT_EQ(settings.Find(L"Application", L"Cmd"), L"a=b");
  // The section name is the text between the brackets, not trimmed.
  EXPECT_EQ(settings.Find(L" Spaced ", L"k"), L"v");
  EXPECT_EQ(settings.Find(L"Spaced", L"k"), std::nullopt);
}

TEST(BuiltinSettingsTest, LookupIsExactAndTheFirstSectionAnswers) {
  BuiltinSettings settings = ParseBuiltinSettings(L"orphan=1\r\n[A]\r\nkey=first\r\n[A]\r\nkey=second\r\nother=x\r\n");
  EXPECT_EQ(settings.Find(L"A", L"key"), L"first");
  EXPECT_EQ(settings.Find(L"A", L"other"), std::nullopt);  // only the first [A] is searched
  EXPECT_EQ(settings.Find(L"a", L"key"), std::nullopt);
  EXPECT_EQ(settings.Find(L"A", L"KEY"), std::nullopt);
  EXPECT_EQ(settings.Find(L"", L"orphan"), std::nullopt);
}

TEST(BuiltinSettingsTest, LinesEndOnlyInCarriageReturnLineFeed) {
  BuiltinSettings settings = ParseBuiltinSettings(L"[A]\r\nx=1\ny=2\r\n");
  EXPECT_EQ(settings.Find(L"A", L"x"), L"1\ny=2");
}

}  // namespace

}  // namespace launcher::settings
