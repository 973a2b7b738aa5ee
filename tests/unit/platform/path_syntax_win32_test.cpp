#include <gtest/gtest.h>

#include "jvm/class_path_entry.h"
#include "platform/paths.h"

// Windows accepts "/" between folders as well as "\": paths written either way
// (lib/app.jar, C:/libs/*.jar) are cut and joined at the right places.

namespace {

struct PartsCase {
  const wchar_t* path;
  const wchar_t* folder;    // FolderOf
  const wchar_t* parent;    // ParentOf
  const wchar_t* fileName;  // FileNameOf
};

TEST(PathSyntaxWin32Test, EitherSlashCutsAPath) {
  const PartsCase cases[] = {
      {L"C:\\App\\lib/app.jar", L"C:\\App\\lib/", L"C:\\App\\lib", L"app.jar"},
      {L"C:/libs/a.jar", L"C:/libs/", L"C:/libs", L"a.jar"},
      {L"C:/libs\\a.jar", L"C:/libs\\", L"C:/libs", L"a.jar"},
      {L"lib/app.jar", L"lib/", L"lib", L"app.jar"},
      {L"//server/share/x.jar", L"//server/share/", L"//server/share", L"x.jar"},
      {L"app.jar", L"", L"app.jar", L"app.jar"},
  };
  for (const PartsCase& c : cases) {
    EXPECT_EQ(platform::FolderOf(c.path), c.folder) << c.path;
    EXPECT_EQ(platform::ParentOf(c.path), c.parent) << c.path;
    EXPECT_EQ(platform::FileNameOf(c.path), c.fileName) << c.path;
  }
  EXPECT_EQ(platform::WithTrailingSeparator(L"C:/jdk/"), L"C:/jdk/");
  EXPECT_EQ(platform::WithTrailingSeparator(L"C:/jdk"), L"C:/jdk\\");
}

TEST(PathSyntaxWin32Test, SlashesMakeNetworkPathsAbsolute) {
  EXPECT_TRUE(platform::IsAbsolutePath(L"C:/libs"));
  EXPECT_TRUE(platform::IsAbsolutePath(L"//server/share"));
  EXPECT_TRUE(platform::IsAbsolutePath(L"\\/server/share"));
  EXPECT_FALSE(platform::IsAbsolutePath(L"/lib/a.jar"));  // from the current drive's root: looked up
  EXPECT_FALSE(platform::IsAbsolutePath(L"lib/a.jar"));
}

TEST(PathSyntaxWin32Test, ClassPathEntriesWithSlashesKeepTheirFolder) {
  EXPECT_EQ(SearchPatternOf(L"/lib/*.jar", L"C:\\App"), L"C:\\App/lib/*.jar");
  EXPECT_EQ(SearchPatternOf(L"lib/*.jar", L"C:\\App"), L"C:\\App\\lib/*.jar");
  EXPECT_EQ(ClassPathOfFound(L"C:\\App\\lib/*.jar", {L"a.jar", L"b.jar"}), L"C:\\App\\lib/a.jar;C:\\App\\lib/b.jar;");
  EXPECT_EQ(ClassPathOfFound(L"C:/libs/*.jar", {L"a.jar"}), L"C:/libs/a.jar;");
  EXPECT_TRUE(IsPassedUnchecked(L"C:/libs/a.jar"));
  EXPECT_FALSE(IsPassedUnchecked(L"C:/libs/*.jar"));
}

}  // namespace
