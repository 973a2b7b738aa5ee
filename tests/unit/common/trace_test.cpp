#include "common/trace.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace launcher {

namespace {

TEST(TraceTest, FieldsFollowTheEventOneWordEach) {
  test::RecordingTrace trace;
  JavaVersion version;
  version.Parse(L"1.8.0_20", JavaVersion::kLowFill);
  TraceLine(trace, "candidate")
      .Text("home", L"C:\\Program Files\\Java\\jre \"8\"")
      .Word("verdict", "refused")
      .Number("error", -126)
      .Flag("server", true)
      .Flag("preferred", false)
      .Version("version", version)
      .Version("maximum", ParseUpperBound(L"11"))
      .Sentence("and why, in words.")
      .Write();
  ASSERT_EQ(trace.lines.size(), 1u);
  EXPECT_EQ(trace.lines[0],
            "candidate home=\"C:\\\\Program Files\\\\Java\\\\jre \\\"8\\\"\" verdict=refused error=-126 server=yes "
            "preferred=no version=1.8.0.20 maximum=11.65535.65535.65535 and why, in words.");
}

TEST(TraceTest, QuotingKeepsALineOneLine) {
  struct Case {
    std::string text, quoted;
  } cases[] = {
      {"", "\"\""},
      {"plain", "\"plain\""},
      {"a\nb\r\tc", "\"a\\nb\\r\\tc\""},
      {std::string("nul\0bell\a", 9), "\"nul\\u0000bell\\u0007\""},
      {"del\x7F", "\"del\\u007F\""},
      {"\xC3\xA9t\xC3\xA9", "\"\xC3\xA9t\xC3\xA9\""},  // UTF-8 stays as it is
  };
  for (const Case& c : cases) EXPECT_EQ(QuoteForTrace(c.text), c.quoted) << c.text;

  test::RecordingTrace trace;
  TraceLine(trace, "setting").Text("value", L"\u00e9\u4e2d").Write();
  EXPECT_EQ(trace.lines, std::vector<std::string>{"setting value=\"\xC3\xA9\xE4\xB8\xAD\""});
}

TEST(TraceTest, NoTraceKeepsNothingAndBuildsNothing) {
  EXPECT_FALSE(NoTrace().Enabled());
  TraceLine(NoTrace(), "anything").Text("key", L"value").Write();  // no effect, no failure

  // A disabled trace is never handed a line.
  class Disabled final : public Trace {
   public:
    bool Enabled() const override { return false; }
    void Write(std::string_view) override { ++writes; }
    int writes = 0;
  } disabled;
  TraceLine(disabled, "event").Word("key", "value").Write();
  EXPECT_EQ(disabled.writes, 0);
}

}  // namespace

}  // namespace launcher
