#include "app/trace_file.h"

#include <gtest/gtest.h>

#include <regex>

#include "test_support.h"

namespace launcher::app {

namespace {

TEST(TraceFileTest, LinesAreStampedAndAddedAtTheEnd) {
  test::TempDir dir;
  const WideString path = dir.Path(L"trace.log");
  test::WriteBytes(path, "an earlier start\n");
  {
    std::unique_ptr<TraceFile> trace = TraceFile::Open(path, 4242);
    ASSERT_TRUE(trace);
    EXPECT_TRUE(trace->Enabled());
    TraceLine(*trace, "phase").Word("name", "start").Write();
    TraceLine(*trace, "exit").Number("code", 0).Write();
  }
  const std::string text = test::ReadBytes(path);
  EXPECT_TRUE(std::regex_match(text, std::regex("an earlier start\n"
                                                "4242 \\+[0-9]+us phase name=start\n"
                                                "4242 \\+[0-9]+us exit code=0\n")))
      << text;
}

TEST(TraceFileTest, AFileThatCannotBeOpenedGivesNoTrace) {
  test::TempDir dir;
  EXPECT_EQ(TraceFile::Open(test::Join({dir.Path(L"missing-folder"), L"trace.log"}), 1), nullptr);
  EXPECT_EQ(TraceFile::Open(dir.Path(), 1), nullptr);  // a folder is no file
}

}  // namespace

}  // namespace launcher::app
