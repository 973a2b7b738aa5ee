#include <gtest/gtest.h>

#include <filesystem>

#include "brand/output_file.h"
#include "platform/process.h"
#include "test_support.h"

namespace launcher::brand {
namespace {

// A link planted where the temporary file would go is never written through.
TEST(OutputFilePosixTest, ALinkAtTheTemporaryNameIsNotFollowed) {
  test::TempDir dir;
  const WideString output = dir.Path(L"MyApp.exe");
  const WideString victim = dir.Path(L"victim");
  test::WriteBytes(victim, "precious");
  const WideString planted = TemporaryOutputName(output, platform::CurrentProcessId(), 0);
  std::filesystem::create_symlink(test::NativePath(victim), test::NativePath(planted));
  ASSERT_TRUE(WriteOutputFile(output, "branded", {.attempts = 1, .pause = [] {}}));
  EXPECT_EQ(test::ReadBytes(output), "branded");
  EXPECT_EQ(test::ReadBytes(victim), "precious");
  EXPECT_TRUE(std::filesystem::is_symlink(test::NativePath(planted)));
}

}  // namespace
}  // namespace launcher::brand
