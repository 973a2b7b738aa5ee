#include "brand/output_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/files.h"
#include "platform/process.h"
#include "test_support.h"

namespace launcher::brand {
namespace {

MoveRetries OneAttempt() {
  return {.attempts = 1, .pause = [] {}};
}

std::vector<std::string> FilesIn(const WideString& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(test::NativePath(folder))) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A temporary file's name that something else has is passed over, and that
// file is left as it is.
TEST(OutputFileTest, TheOutputIsWrittenBesideItAndRenamedOverIt) {
  test::TempDir dir;
  const WideString output = dir.Path(L"MyApp.exe");
  ASSERT_TRUE(WriteOutputFile(output, "first", OneAttempt()));
  EXPECT_EQ(test::ReadBytes(output), "first");
  const WideString taken = TemporaryOutputName(output, platform::CurrentProcessId(), 0);
  test::WriteBytes(taken, "another program's");
  ASSERT_TRUE(WriteOutputFile(output, "second", OneAttempt()));
  EXPECT_EQ(test::ReadBytes(output), "second");
  EXPECT_EQ(test::ReadBytes(taken), "another program's");
  EXPECT_EQ(FilesIn(dir.Path(L"")).size(), 2u) << "the output and the other program's file";
}

TEST(OutputFileTest, AReadOnlyOutputOrAMissingFolderIsRefusedAndNothingIsLeft) {
  test::TempDir dir;
  const WideString output = dir.Path(L"MyApp.exe");
  test::WriteBytes(output, "old");
  std::filesystem::permissions(test::NativePath(output), std::filesystem::perms::owner_read);
  BrandResult<bool> readOnly = WriteOutputFile(output, "new", OneAttempt());
  ASSERT_FALSE(readOnly);
  EXPECT_NE(readOnly.error().message.find("is read-only"), std::string::npos) << readOnly.error().message;
  EXPECT_EQ(test::ReadBytes(output), "old");
  EXPECT_TRUE(platform::IsReadOnlyFile(output)) << "its attribute or permissions are as they were";

  BrandResult<bool> noFolder = WriteOutputFile(test::Join({dir.Path(L"missing"), L"MyApp.exe"}), "new", OneAttempt());
  ASSERT_FALSE(noFolder);
  EXPECT_NE(noFolder.error().message.find("cannot be written"), std::string::npos) << noFolder.error().message;
  EXPECT_EQ(FilesIn(dir.Path(L"")), std::vector<std::string>{"MyApp.exe"});
  std::filesystem::permissions(test::NativePath(output), std::filesystem::perms::owner_all);
}

}  // namespace
}  // namespace launcher::brand
