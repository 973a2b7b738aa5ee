#include "settings/settings_paths.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/paths.h"
#include "test_support.h"

namespace launcher::settings {

namespace {

using test::Join;

TEST(SettingsPathsTest, ProductFolderNameDropsTheNineCharacters) {
  EXPECT_EQ(ProductFolderName(L"A/B: C?"), L"AB C");
  EXPECT_EQ(ProductFolderName(L"\\?\"|><:/*"), L"");
  EXPECT_EQ(ProductFolderName(L"Caf\u00E9 & Co."), L"Caf\u00E9 & Co.");
}

TEST(SettingsPathsTest, PerUserPathIsBuiltFromItsFourParts) {
  WideString path =
      PerUserSettingsPath(Join({L"", L"cfg"}), L"My: App", L"v2", Join({L"", L"x.y", L"start.beta.exe"}), false);
  EXPECT_EQ(path, Join({L"", L"cfg", L"My App", L"v2", L"start.beta.ini"}));
  // No configuration folder: the path starts at the root.
  EXPECT_EQ(PerUserSettingsPath(L"", L"P", L"C", L"start.exe", false), Join({L"", L"P", L"C", L"start.ini"}));
  // A file name without extension keeps its whole name.
  EXPECT_EQ(PerUserSettingsPath(L"c", L"P", L"C", L"launcher", false), Join({L"c", L"P", L"C", L"launcher.ini"}));
}

TEST(SettingsPathsTest, PerUserPathCreatesItsFoldersOnlyForWriting) {
  test::TempDir dir;
  PerUserSettingsPath(dir.Path(), L"Product", L"Code", L"app.exe", false);
  EXPECT_FALSE(platform::FileExists(dir.Path(L"Product")));
  PerUserSettingsPath(dir.Path(), L"Product", L"Code", L"app.exe", true);
  EXPECT_TRUE(platform::FileExists(Join({dir.Path(), L"Product", L"Code"})));
  // Existing folders are no failure.
  WideString again = PerUserSettingsPath(dir.Path(), L"Product", L"Code", L"app.exe", true);
  EXPECT_EQ(again, Join({dir.Path(), L"Product", L"Code", L"app.ini"}));
}

TEST(SettingsPathsTest, StartupCacheFolderLiesBelowTheProductFolders) {
  EXPECT_EQ(StartupCacheFolder(Join({L"", L"cache"}), L"My: App", L"v2", false),
            Join({L"", L"cache", L"My App", L"v2", L"StartupCache", L""}));
  // Empty names add no folder; no cache folder, no cache.
  EXPECT_EQ(StartupCacheFolder(L"c", L"", L"", false), Join({L"c", L"StartupCache", L""}));
  EXPECT_EQ(StartupCacheFolder(L"", L"P", L"C", false), L"");
}

TEST(SettingsPathsTest, StartupCacheFolderIsMadeWhenAsked) {
  test::TempDir dir;
  const WideString root = Join({dir.Path(), L"new", L"cache"});
  StartupCacheFolder(root, L"Product", L"Code", false);
  EXPECT_FALSE(platform::FileExists(root));
  platform::MakeFolder(dir.Path(L"new"));
  const WideString folder = StartupCacheFolder(root, L"Product", L"Code", true);
  EXPECT_TRUE(platform::FileExists(Join({root, L"Product", L"Code", L"StartupCache"})));
  EXPECT_EQ(StartupCacheFolder(root, L"Product", L"Code", true), folder);
}

}  // namespace

}  // namespace launcher::settings
