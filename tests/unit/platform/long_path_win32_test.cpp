#include <gtest/gtest.h>

#include <memory>

#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/windows_api.h"
#include "test_support.h"

// Paths of MAX_PATH characters and more: made full and normalised first (".",
// ".." and "/" resolved, which the \\?\ prefix would turn off), then prefixed.

namespace {

using platform::win32::LongPathForm;

// Five folders of 50 characters: any path below them is longer than MAX_PATH.
const WideString kDeep = [] {
  WideString deep;
  for (wchar_t letter = L'a'; letter < L'f'; ++letter) deep += WideString(49, letter) + L"0\\";
  return deep;
}();

TEST(LongPathFormTest, ShortPathsPassAsTheyAre) {
  EXPECT_EQ(LongPathForm(L"C:\\a\\..\\b"), L"C:\\a\\..\\b");
  EXPECT_EQ(LongPathForm(L"lib/../x.jar"), L"lib/../x.jar");
}

TEST(LongPathFormTest, LongPathsAreNormalisedBeforeThePrefix) {
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

TEST(LongPathFormTest, RelativeLongPathsStartFromTheCurrentFolder) {
  test::TempDir dir;
  CurrentFolder current(dir.Path());
  EXPECT_EQ(LongPathForm(L"a\\..\\" + kDeep + L"x.jar"), L"\\\\?\\" + dir.Path() + L"\\" + kDeep + L"x.jar");
}

// A folder tree below the temporary folder, deeper than MAX_PATH, removed again.
class LongPathFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    WideString folder = dir_.Path();
    for (size_t start = 0; start < kDeep.size(); start += 51) {
      folder += L"\\" + kDeep.substr(start, 50);
      ASSERT_TRUE(platform::MakeDirectory(folder)) << folder;
      made_.push_back(folder);
    }
    for (const wchar_t* sub : {L"\\lib", L"\\app"}) {
      ASSERT_TRUE(platform::MakeDirectory(folder + sub));
      made_.push_back(folder + sub);
    }
    deep_ = folder;
    Write(deep_ + L"\\lib\\a.jar", "PK");
    Write(deep_ + L"\\app\\app.ini", "[Section]\r\nKey=long value\r\n");
  }

  void TearDown() override {
    for (const WideString& file : files_) ::DeleteFileW(LongPathForm(file).c_str());
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) platform::RemoveEmptyDirectory(*it);
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

TEST_F(LongPathFilesTest, DottedLongPathsReachTheirFiles) {
  const WideString dotted = deep_ + L"\\app\\..\\lib";
  ASSERT_GT(dotted.size(), static_cast<size_t>(MAX_PATH));
  EXPECT_TRUE(platform::FileExists(dotted + L"\\a.jar"));
  EXPECT_TRUE(platform::FileExists(deep_ + L"/app/./../lib/a.jar"));
  EXPECT_EQ(platform::FindFiles(dotted + L"\\*.jar"), WideStringList{L"a.jar"});

  const platform::SystemResult<platform::MappedFile> mapped = platform::MappedFile::Open(dotted + L"\\a.jar");
  ASSERT_TRUE(mapped);
  EXPECT_EQ(mapped->Bytes(), "PK");

  wchar_t value[64];
  EXPECT_EQ(platform::ReadIniString(L"Section", L"Key", value, 64, deep_ + L"\\lib\\..\\app\\app.ini"), 10u);
  EXPECT_STREQ(value, L"long value");
}

}  // namespace
