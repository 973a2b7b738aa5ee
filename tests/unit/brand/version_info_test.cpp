#include "brand/version_info.h"

#include <gtest/gtest.h>

#include "brand/manifest_level.h"

namespace launcher::brand {
namespace {

TEST(VersionInfoTest, FourPartVersionsAreFourNumbersUpTo65535) {
  EXPECT_EQ(*ParseFourPartVersion("1.2.3.4"), (FourPartVersion{1, 2, 3, 4}));
  EXPECT_EQ(*ParseFourPartVersion("65535.0.00007.0"), (FourPartVersion{65535, 0, 7, 0}));
  for (const char* bad : {"", "1.2.3", "1.2.3.4.5", "1.2.3.65536", "1..3.4", "1.2.3.", "a.b.c.d", " 1.2.3.4",
                          "1.2.3.-4", "999999.1.1.1"}) {
    EXPECT_FALSE(ParseFourPartVersion(bad)) << bad;
  }
}

TEST(VersionInfoTest, WhatIsBuiltReadsBackWithTheWellKnownNamesFirst) {
  VersionInfo info;
  info.fileVersion = {1, 2, 3, 4};
  info.productVersion = {5, 6, 7, 8};
  info.Set(u"Custom", u"mine");
  info.Set(u"ProductName", u"My App ™");
  info.Set(u"CompanyName", u"Example");
  info.Set(u"Comments", u"");  // empty strings are left out
  BrandResult<std::string> built = BuildVersionInfo(info);
  ASSERT_TRUE(built) << built.error().message;
  std::optional<VersionInfo> read = ParseVersionInfo(*built);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->fileVersion, info.fileVersion);
  EXPECT_EQ(read->productVersion, info.productVersion);
  const std::vector<std::pair<std::u16string, std::u16string>> expected{
      {u"CompanyName", u"Example"}, {u"ProductName", u"My App ™"}, {u"Custom", u"mine"}};
  EXPECT_EQ(read->strings, expected);
  EXPECT_FALSE(ParseVersionInfo("not a version resource"));
}

// Each block states its length in 16 bits: strings that would make the
// resource longer are refused rather than written with a wrapped length.
TEST(VersionInfoTest, StringsTooLongForTheLengthFieldsAreRefused) {
  VersionInfo info;
  info.Set(u"Comments", std::u16string(30000, u'c'));
  BrandResult<std::string> fits = BuildVersionInfo(info);
  ASSERT_TRUE(fits) << fits.error().message;
  EXPECT_EQ(ParseVersionInfo(*fits)->Find(u"Comments"), std::u16string(30000, u'c'));
  info.Set(u"LegalCopyright", std::u16string(3000, u'c'));
  BrandResult<std::string> tooLong = BuildVersionInfo(info);
  ASSERT_FALSE(tooLong);
  EXPECT_NE(tooLong.error().message.find("shorten them"), std::string::npos) << tooLong.error().message;
}

TEST(ManifestLevelTest, OnlyTheRequestedLevelChanges) {
  const std::string manifest =
      "<trustInfo><security><requestedPrivileges>\n"
      "  <requestedExecutionLevel uiAccess=\"false\" level='asInvoker'/>\n"
      "</requestedPrivileges></security></trustInfo><dpiAware>true</dpiAware>";
  BrandResult<std::string> changed = WithExecutionLevel(manifest, ExecutionLevel::HighestAvailable);
  ASSERT_TRUE(changed);
  std::string expected = manifest;
  expected.replace(expected.find("asInvoker"), 9, "highestAvailable");
  EXPECT_EQ(*changed, expected);
  EXPECT_EQ(RequestedExecutionLevel(*changed), "highestAvailable");
  EXPECT_FALSE(WithExecutionLevel("<assembly><dpiAware>true</dpiAware></assembly>", ExecutionLevel::AsInvoker));
  EXPECT_FALSE(ParseExecutionLevel("administrator"));
}

}  // namespace
}  // namespace launcher::brand
