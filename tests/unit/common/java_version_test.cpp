#include "common/java_version.h"

#include <gtest/gtest.h>

namespace launcher {

namespace {

struct ParseCase {
  const wchar_t* text;
  int32_t fill;
  bool ok;
  int32_t c0, c1, c2, c3, runs;
};

class ParseTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, ComponentsAndRunCount) {
  const ParseCase& c = GetParam();
  JavaVersion v;
  EXPECT_EQ(v.Parse(c.text, c.fill), c.ok);
  EXPECT_EQ(v.components[0], c.c0);
  EXPECT_EQ(v.components[1], c.c1);
  EXPECT_EQ(v.components[2], c.c2);
  EXPECT_EQ(v.components[3], c.c3);
  EXPECT_EQ(v.runCount, c.runs);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseTest,
    testing::Values(ParseCase{L"1.6.0_20", 0, true, 1, 6, 0, 20, 4}, ParseCase{L"1.7", 0, true, 1, 7, 0, 0, 2},
                    ParseCase{L"1.7", 65535, true, 1, 7, 65535, 65535, 2},
                    ParseCase{L"jdk1.8.0_45-b14", 0, true, 1, 8, 0, 45, 5}, ParseCase{L"1..6", 0, true, 1, 6, 0, 0, 2},
                    ParseCase{L"1 6", 65535, true, 1, 6, 65535, 65535, 2}, ParseCase{L"1-6", 0, true, 1, 6, 0, 0, 2},
                    ParseCase{L"17", 0, true, 17, 0, 0, 0, 1}, ParseCase{L"", 0, false, 0, 0, 0, 0, 0},
                    ParseCase{L"any", 65535, false, 0, 0, 0, 0, 0}, ParseCase{L"abc", 0, false, 0, 0, 0, 0, 0},
                    ParseCase{L"2147483647", 0, true, 2147483647, 0, 0, 0, 1},
                    ParseCase{L"1.9999999999", 0, false, 0, 0, 0, 0, 0},
                    // Passes the overflow test but does not fit: kept at the largest component.
                    ParseCase{L"2147483649", 0, true, 2147483647, 0, 0, 0, 1},
                    // Only ASCII digits count: a full-width digit is a separator.
                    ParseCase{L"1\xFF17"
                              L"2",
                              0, true, 1, 2, 0, 0, 2}));

TEST(JavaVersionTest, ParseReplacesThePreviousValue) {
  JavaVersion v;
  v.Parse(L"1.2.3.4", 0);
  EXPECT_FALSE(v.Parse(L"none", 7));
  EXPECT_EQ(Compare(v, JavaVersion()), 0);
  EXPECT_EQ(v.runCount, 0);
}

JavaVersion V(const wchar_t* text, int32_t fill = 0) {
  JavaVersion v;
  v.Parse(text, fill);
  return v;
}

TEST(JavaVersionTest, CompareIsNumericAndIgnoresRunCount) {
  EXPECT_EQ(Compare(V(L"1.6.0_20"), V(L"1.6.0_3")), 1);
  EXPECT_EQ(Compare(V(L"1.9"), V(L"1.10")), -1);
  EXPECT_EQ(Compare(V(L"1.6"), V(L"1.6.0.0")), 0);
  EXPECT_NE(V(L"1.6").runCount, V(L"1.6.0.0").runCount);
  EXPECT_EQ(Compare(V(L"-1"), V(L"0")), 1);  // "-" is a separator, not a sign
}

TEST(JavaVersionTest, OpenBounds) {
  EXPECT_TRUE(IsOpenBound(JavaVersion()));
  EXPECT_TRUE(IsOpenBound(JavaVersion::Any(65535)));
  EXPECT_FALSE(IsOpenBound(V(L"0.0.65535.65535")));
  EXPECT_FALSE(IsOpenBound(V(L"1", 0)));
}

TEST(JavaVersionTest, PatternMatching) {
  struct Case {
    const wchar_t* candidate;
    const wchar_t* pattern;
    bool matches;
  } cases[] = {
      {L"1.6.0.20", L"1.6", true},
      {L"1.6.1.0", L"1.6", true},
      {L"1.7", L"1.6", false},
      {L"1.6.0.20", L"1.6.0_20", true},
      {L"1.6.0.21", L"1.6.0_20", false},
      {L"1.6.0.20", L"1.6.0", true},
      {L"1.0.0.5", L"1.0.0.5", true},
      {L"1.0.0.6", L"1.0.0.5", false},
      {L"9.9.9.9", L"", true},
      {L"1.4.2", L"1", true},
      {L"2.1", L"1", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchesPattern(V(c.candidate), V(c.pattern)), c.matches) << c.candidate << " ~ " << c.pattern;
  }
}

TEST(JavaVersionTest, Format) {
  EXPECT_EQ(Format(V(L"1.6.0_20")), L"1.6.0.20");
  EXPECT_EQ(Format(V(L"1.7", 65535)), L"1.7");
  EXPECT_EQ(Format(V(L"5")), L"5.0");
  EXPECT_EQ(Format(JavaVersion()), L"0.0.0.0");
  EXPECT_EQ(Format(JavaVersion::Any(65535)), L"0.0.0.0");
  EXPECT_EQ(Format(V(L"1.0.0.3")), L"1.0.0.3");
  EXPECT_EQ(Format(V(L"1.65535.7")), L"1.65535.7");
  EXPECT_EQ(Format(V(L"0.0.0.0")), L"0.0.0.0");
}

TEST(JavaVersionTest, SettingsBounds) {
  JavaVersion min = ParseLowerBound(L"any");
  JavaVersion max = ParseUpperBound(L"any");
  EXPECT_EQ(Compare(min, JavaVersion()), 0);
  EXPECT_EQ(min.runCount, 4);
  EXPECT_EQ(Compare(max, JavaVersion::Any(65535)), 0);
  EXPECT_EQ(max.runCount, 4);
  // "Any" is not "any": it parses as a text without digits.
  EXPECT_EQ(Compare(ParseUpperBound(L"Any"), JavaVersion()), 0);
  EXPECT_EQ(ParseUpperBound(L"Any").runCount, 0);
  EXPECT_EQ(Compare(ParseUpperBound(L""), JavaVersion()), 0);
  EXPECT_EQ(Compare(ParseUpperBound(L"1.6"), V(L"1.6.65535.65535")), 0);
  EXPECT_EQ(Compare(ParseLowerBound(L"1.6"), V(L"1.6.0.0")), 0);
}

}  // namespace

}  // namespace launcher
