#include "platform/paths.h"

#include <gtest/gtest.h>

#include "jvm/class_path_entry.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/windows_api.h"
#include "test_support.h"

namespace launcher::platform {

// Paths on Windows: either slash separates folders, and paths of MAX_PATH
// characters and more are made full and normalised first (".", ".." and "/"
// resolved, which the \\?\ prefix would turn off), then prefixed.

namespace {

// Windows accepts "/" between folders as well as "\": paths written either way
// (lib/app.jar, C:/libs/*.jar) are cut and joined at the right places.

struct PartsCase {
  const wchar_t* path;
  const wchar_t* folder;    // FolderOf
  const wchar_t* parent;    // ParentOf
  const wchar_t* fileName;  // FileNameOf
};

TEST(PathsWin32Test, EitherSlashCutsAPath) {
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

TEST(PathsWin32Test, SlashesMakeNetworkPathsAbsolute) {
  EXPECT_TRUE(platform::IsAbsolutePath(L"C:/libs"));
  EXPECT_TRUE(platform::IsAbsolutePath(L"//server/share"));
  EXPECT_TRUE(platform::IsAbsolutePath(L"\\/server/share"));
  EXPECT_FALSE(platform::IsAbsolutePath(L"/lib/a.jar"));  // from the current drive's root: looked up
  EXPECT_FALSE(platform::IsAbsolutePath(L"lib/a.jar"));
}

TEST(PathsWin32Test, ClassPathEntriesWithSlashesKeepTheirFolder) {
  EXPECT_EQ(jvm::SearchPatternOf(L"/lib/*.jar", L"C:\\App"), L"C:\\App/lib/*.jar");
  EXPECT_EQ(jvm::SearchPatternOf(L"lib/*.jar", L"C:\\App"), L"C:\\App\\lib/*.jar");
  EXPECT_EQ(jvm::ClassPathOfFound(L"C:\\App\\lib/*.jar", {L"a.jar", L"b.jar"}),
            L"C:\\App\\lib/a.jar;C:\\App\\lib/b.jar;");
  EXPECT_EQ(jvm::ClassPathOfFound(L"C:/libs/*.jar", {L"a.jar"}), L"C:/libs/a.jar;");
  EXPECT_TRUE(jvm::IsPassedUnchecked(L"C:/libs/a.jar"));
  EXPECT_FALSE(jvm::IsPassedUnchecked(L"C:/libs/*.jar"));
}

using platform::win32::LongPathForm;

// Five folders of 50 characters: any path below them is longer than MAX_PATH.
const WideString kDeep = [] {
  WideString deep;
  for (wchar_t letter = L'a'; letter < L'f'; ++letter) deep += WideString(49, letter) + L"0\\";
  return deep;
}();

TEST(PathsWin32Test, ShortPathsPassAsTheyAre) {
  EXPECT_EQ(LongPathForm(L"C:\\a\\..\\b"), L"C:\\a\\..\\b");
  EXPECT_EQ(LongPathForm(L"lib/../x.jar"), L"lib/../x.jar");
}

TEST(PathsWin32Test, LongPathsAreNormalisedBeforeThePrefix) {
  struct Case {
    WideString path;
    WideString expected;
  } cases[] = {
      {L"C:\\" + kDeep + L"x\\..\\.\\y.jar", L"\\\\?\\C:\\" + kDeep + L"y.jar"},
      {L"C:/" + kDeep + L"lib/x.jar", L"\\\\?\\C:\\" + kDeep + L"lib\\x.jar"},
      {L"C:\\" + kDeep + L"..\\z", L"\\\\?\\C:\\" + kDeep.substr(0, kDeep.size() - 51) + L"z"},
      {L"\\\\server\\share\\" + kDeep + L"a\\..\\z", L"\\\\?\\UNC\\server\\share\\" + kDeep + L"z"},
      {L"//server/share/" + kDeep + L"z", L"\\\\?\\UNC\\server\\share\\" + kDeep + L"z"},
      // Already prefixed: the caller meant it exactly so.
      {L"\\\\?\\C:\\" + kDeep + L"a\\..\\z", L"\\\\?\\C:\\" + kDeep + L"a\\..\\z"},
      {L"\\\\?\\UNC\\server\\share\\" + kDeep, L"\\\\?\\UNC\\server\\share\\" + kDeep},
  };
  for (const Case& c : cases) EXPECT_EQ(LongPathForm(c.path), c.expected) << c.path;
}

// Restores the current folder when the test ends.
class CurrentFolder {
 public:
  explicit CurrentFolder(const WideString& folder) : old_(MAX_PATH * 4, L'\0') {
    old_.resize(::GetCurrentDirectoryW(static_cast<DWORD>(old_.size()), old_.data()));
    ::SetCurrentDirectoryW(folder.c_str());
  }
  ~CurrentFolder() { ::SetCurrentDirectoryW(old_.c_str()); }

 private:
  WideString old_;
};

TEST(PathsWin32Test, RelativeLongPathsStartFromTheCurrentFolder) {
  test::TempDir dir;
  CurrentFolder current(dir.Path());
  EXPECT_EQ(LongPathForm(L"a\\..\\" + kDeep + L"x.jar"), L"\\\\?\\" + dir.Path() + L"\\" + kDeep + L"x.jar");
}

// A folder tree below the temporary folder, deeper than MAX_PATH, removed again.
class PathsWin32FilesTest : public testing::Test {
 protected:
  void SetUp() override {
    WideString folder = dir_.Path();
    for (size_t start = 0; start < kDeep.size(); start += 51) {
      folder += L"\\" + kDeep.substr(start, 50);
      ASSERT_TRUE(platform::MakeFolder(folder)) << folder;
      made_.push_back(folder);
    }
    for (const wchar_t* sub : {L"\\lib", L"\\app"}) {
      ASSERT_TRUE(platform::MakeFolder(folder + sub));
      made_.push_back(folder + sub);
    }
    deep_ = folder;
    Write(deep_ + L"\\lib\\a.jar", "PK");
    Write(deep_ + L"\\app\\app.ini", "[Section]\r\nKey=long value\r\n");
  }

  void TearDown() override {
    for (const WideString& file : files_) ::DeleteFileW(LongPathForm(file).c_str());
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) platform::RemoveEmptyFolder(*it);
  }

  void Write(const WideString& path, const std::string& bytes) {
    platform::win32::File file(::CreateFileW(LongPathForm(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << path;
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    files_.push_back(path);
  }

  test::TempDir dir_;
  WideString deep_;
  std::vector<WideString> made_;
  std::vector<WideString> files_;
};

TEST_F(PathsWin32FilesTest, DottedLongPathsReachTheirFiles) {
  const WideString dotted = deep_ + L"\\app\\..\\lib";
  ASSERT_GT(dotted.size(), static_cast<size_t>(MAX_PATH));
  EXPECT_TRUE(platform::FileExists(dotted + L"\\a.jar"));
  EXPECT_TRUE(platform::FileExists(deep_ + L"/app/./../lib/a.jar"));
  EXPECT_EQ(platform::FindFiles(dotted + L"\\*.jar"), WideStringList{L"a.jar"});

  const platform::SystemResult<platform::MappedFile> mapped = platform::MappedFile::Open(dotted + L"\\a.jar");
  ASSERT_TRUE(mapped);
  EXPECT_EQ(mapped->Bytes(), "PK");

  EXPECT_EQ(platform::IniFile::Open(deep_ + L"\\lib\\..\\app\\app.ini").Value(L"Section", L"Key"), L"long value");
}

}  // namespace

}  // namespace launcher::platform
