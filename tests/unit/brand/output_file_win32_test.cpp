#include <gtest/gtest.h>

#include "brand/output_file.h"
#include "platform/windows_api.h"
#include "test_support.h"

namespace launcher::brand {
namespace {

// The output opened without sharing its deletion, as a virus scanner holds a file.
platform::win32::File Hold(const WideString& path) {
  return platform::win32::File(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The move is tried again while another program holds the file for a moment,
// and given up with the output as it was when the program keeps holding it.
TEST(OutputFileWin32Test, AMoveAnotherProgramBlocksIsTriedAgain) {
  test::TempDir dir;
  const WideString output = dir.Path(L"MyApp.exe");
  test::WriteBytes(output, "old");
  platform::win32::File holder = Hold(output);
  ASSERT_TRUE(holder);
  int pauses = 0;
  BrandResult<bool> released = WriteOutputFile(output, "new", {.attempts = 3, .pause = [&] {
                                                                 ++pauses;
                                                                 holder.Reset();
                                                               }});
  ASSERT_TRUE(released) << released.error().message;
  EXPECT_EQ(pauses, 1) << "the first move failed while the file was held";
  EXPECT_EQ(test::ReadBytes(output), "new");

  holder = Hold(output);
  ASSERT_TRUE(holder);
  pauses = 0;
  BrandResult<bool> kept = WriteOutputFile(output, "newer", {.attempts = 3, .pause = [&] { ++pauses; }});
  ASSERT_FALSE(kept);
  EXPECT_NE(kept.error().message.find("another program"), std::string::npos) << kept.error().message;
  EXPECT_EQ(pauses, 2);
  holder.Reset();
  EXPECT_EQ(test::ReadBytes(output), "new");
}

}  // namespace
}  // namespace launcher::brand
