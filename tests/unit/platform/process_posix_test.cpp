#include "platform/process.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>

#include "platform/files.h"
#include "platform/text.h"
#include "test_support.h"

namespace launcher::platform {

namespace {

using test::Join;

WideString Script(const test::TempDir& dir, const std::string& body) {
  const WideString path = dir.Path(L"script.sh");
  test::WriteBytes(path, "#!/bin/sh\n" + body);
  ::chmod(test::NativePath(path).c_str(), 0755);
  return path;
}

TEST(ProcessPosixTest, AProgramRunsWithEmptyInputAndItsOutputInTheFile) {
  test::TempDir dir;
  const WideString script = Script(dir, "echo \"args: $*\"; echo to-error >&2; cat; echo end; exit 7\n");
  const WideString output = dir.Path(L"out.txt");
  const platform::SystemResult<std::optional<uint32_t>> run =
      platform::RunProgramAndWait(script, {L"a b", L""}, output, 10000);
  ASSERT_TRUE(run);
  EXPECT_EQ(*run, 7u);
  EXPECT_EQ(test::ReadBytes(output), "args: a b \nto-error\nend\n");
}

TEST(ProcessPosixTest, AProgramThatOverrunsItsTimeIsEnded) {
  test::TempDir dir;
  const auto start = std::chrono::steady_clock::now();
  const platform::SystemResult<std::optional<uint32_t>> overrun =
      platform::RunProgramAndWait(Script(dir, "exec sleep 30\n"), {}, dir.Path(L"out.txt"), 300);
  ASSERT_TRUE(overrun);
  EXPECT_EQ(*overrun, std::nullopt);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  // A program that cannot be started is an error, not a run without an exit code.
  EXPECT_FALSE(platform::RunProgramAndWait(dir.Path(L"missing"), {}, dir.Path(L"out.txt"), 1000));
}

// A process's niceness, field 19 of its stat line (the name before it may hold spaces).
int NicenessOf(const std::string& pid) {
  const std::string stat = test::ReadBytes(L"/proc/" + platform::FromUtf8(pid) + L"/stat");
  std::istringstream fields(stat.substr(stat.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= 19; ++i) fields >> field;
  return std::stoi(field);
}

TEST(ProcessPosixTest, ABackgroundCopyGetsItsVariableFolderAndLowPriority) {
  test::TempDir dir;
  const WideString report = dir.Path(L"report.txt");
  // The report is written before the copy waits for its input to end, which
  // happens only when this test program ends. The copy may run before its
  // priority is lowered: the priority is read here, once the start has returned.
  const WideString script = Script(dir,
                                   "{ echo \"$QX_TEST_VARIABLE\"; pwd -P; echo $$; } >report.part\n"
                                   "mv report.part report.txt\ncat >/dev/null\n");
  ASSERT_TRUE(platform::StartBackgroundCopy(script, dir.Path(), L"QX_TEST_VARIABLE", L"value one"));
  for (int i = 0; i < 200 && !platform::QueryFileIdentity(report).exists; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  const int niceness = ::nice(0);
  const std::string folder = std::filesystem::canonical(test::NativePath(dir.Path())).string();
  std::istringstream lines(test::ReadBytes(report));
  std::string variable, where, pid;
  std::getline(lines, variable);
  std::getline(lines, where);
  std::getline(lines, pid);
  EXPECT_EQ(variable, "value one");
  EXPECT_EQ(where, folder);
  EXPECT_EQ(NicenessOf(pid), std::min(niceness + 10, 19));
  EXPECT_FALSE(platform::StartBackgroundCopy(dir.Path(L"missing"), dir.Path(), L"X", L"y"));
}

}  // namespace

}  // namespace launcher::platform
