#include "platform/ini_syntax.h"

#include <gtest/gtest.h>

namespace {

// Files mix line ends when they were edited on several systems; each CR, LF
// and CR LF ends one line wherever it stands.
TEST(SplitIniLinesTest, EveryLineEndEndsOneLine) {
  struct Case {
    const wchar_t* text;
    platform::ini::LineViews lines;
  } cases[] = {
      {L"", {}},
      {L"a", {L"a"}},
      {L"\n", {L""}},
      {L"a\r\n", {L"a"}},
      {L"a\n\n", {L"a", L""}},
      {L"a\n\rb", {L"a", L"", L"b"}},
      {L"a\r\r\nb", {L"a", L"", L"b"}},
      {L"a\rb\nc\r\nd\re", {L"a", L"b", L"c", L"d", L"e"}},
      {L"\r\r\r\n\n", {L"", L"", L"", L""}},
      {L"a\rb\rc\r\nd\ne\nf\r", {L"a", L"b", L"c", L"d", L"e", L"f"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::ini::SplitIniLines(c.text), c.lines) << testing::PrintToString(WideString(c.text));
  }
}

}  // namespace
