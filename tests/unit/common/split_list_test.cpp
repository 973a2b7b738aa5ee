#include "common/split_list.h"

#include <gtest/gtest.h>

namespace launcher {

namespace {

TEST(SplitListTest, KeepsInnerEmptyPiecesAndDropsAnEmptyRest) {
  struct Case {
    const wchar_t* text;
    WideStringList expected;
  } cases[] = {
      {L"", {}},     {L"a;b;", {L"a", L"b"}}, {L";a", {L"", L"a"}}, {L"a;;b", {L"a", L"", L"b"}},
      {L";", {L""}}, {L"abc", {L"abc"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitList(c.text, L";"), c.expected) << c.text;
}

TEST(SplitListTest, SplitsAtAWholeSeparator) {
  EXPECT_EQ(SplitList(L"a\r\nb\rc\nd\r\n", L"\r\n"), (WideStringList{L"a", L"b\rc\nd"}));
}

}  // namespace

}  // namespace launcher
