#include "common/argument_list.h"

#include <gtest/gtest.h>

namespace launcher {

namespace {

struct SplitCase {
  const wchar_t* text;
  WideStringList expected;
};

class SplitArgumentsTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitArgumentsTest, Splits) {
  WideStringList list;
  SplitArguments(GetParam().text, list);
  EXPECT_EQ(list, GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SplitArgumentsTest,
    testing::Values(SplitCase{L"", {}}, SplitCase{L"a b", {L"a", L"b"}}, SplitCase{L"\"a b\"", {L"a b"}},
                    SplitCase{L"a   b  ", {L"a", L"b"}}, SplitCase{L" \tx", {L"", L"\tx"}},  // a tab does not separate
                    SplitCase{L"\"a\"b", {L"a", L"b"}},         // a closing quote ends the argument
                    SplitCase{L"a\"b c\"", {L"a\"b", L"c\""}},  // a quote inside an argument is ordinary
                    SplitCase{L"\"open ended", {L"open ended"}},
                    SplitCase{L"x \"", {L"x", L""}},                            // a lone final quote: empty argument
                    SplitCase{L"\"\" y", {L"", L"y"}},                          // empty quotes stay
                    SplitCase{L"C:\\dir\\ a\\\"b", {L"C:\\dir\\", L"a\\\"b"}},  // no escapes
                    SplitCase{L"\"\"", {L""}}));

platform::ProcessCommandLine Text(const wchar_t* text) { return {WideString(text), {}}; }

TEST(ReadArgumentListTest, DropsTheProgramPathOfTheText) {
  EXPECT_EQ(ReadArgumentList(Text(L"\"C:\\Program Files\\app.exe\"")), WideStringList{});
  EXPECT_EQ(ReadArgumentList(Text(L"\"C:\\app.exe\" a b")), (WideStringList{L"a", L"b"}));
  EXPECT_EQ(ReadArgumentList(Text(L"\"C:\\app.exe\" \"a b\"")), (WideStringList{L"a b"}));
  // An unquoted path with a space leaves its tail as an argument.
  EXPECT_EQ(ReadArgumentList(Text(L"C:\\Program Files\\app.exe x")), (WideStringList{L"Files\\app.exe", L"x"}));
  // White space around the whole line is removed before splitting.
  EXPECT_EQ(ReadArgumentList(Text(L"  app.exe a \t\r\n")), (WideStringList{L"a"}));
  EXPECT_EQ(ReadArgumentList(Text(L"app.exe  \t")), WideStringList{});
  EXPECT_EQ(ReadArgumentList(Text(L"")), WideStringList{});
}

TEST(ReadArgumentListTest, DropsTheProgramPathOfTheVector) {
  platform::ProcessCommandLine vector{std::nullopt, {L"/opt/app/launcher", L"a b", L"", L"-nosplash"}};
  EXPECT_EQ(ReadArgumentList(vector), (WideStringList{L"a b", L"", L"-nosplash"}));
  EXPECT_EQ(ReadArgumentList({std::nullopt, {}}), WideStringList{});
}

TEST(HasArgumentTest, WholeArgumentWithLetterCase) {
  WideStringList arguments{L"x", L"/nosplash", L"-nosplash2"};
  EXPECT_TRUE(HasArgument(arguments, L"/nosplash"));
  EXPECT_FALSE(HasArgument(arguments, L"-nosplash"));
  EXPECT_FALSE(HasArgument({L"-NOSPLASH"}, L"-nosplash"));
}

}  // namespace

}  // namespace launcher
