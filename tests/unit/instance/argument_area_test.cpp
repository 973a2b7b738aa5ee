#include "instance/argument_area.h"

#include <gtest/gtest.h>

namespace launcher::instance {

namespace {

// The bytes of UTF-16 units, little-endian, as the area holds them.
std::string Units(std::u16string_view units) {
  std::string bytes;
  for (char16_t unit : units) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

class ArgumentAreaRoundTrip : public testing::TestWithParam<WideStringList> {};

TEST_P(ArgumentAreaRoundTrip, ReadsBackWhatWasWritten) {
  const std::optional<std::string> area = EncodeArgumentArea(GetParam());
  ASSERT_TRUE(area);
  EXPECT_EQ(area->size(), kArgumentAreaSize);
  EXPECT_EQ(DecodeArgumentArea(*area), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Lists, ArgumentAreaRoundTrip,
                         testing::Values(WideStringList{L"a"}, WideStringList{L"one", L"two words", L"three"},
                                         WideStringList{L"\u00e9\u4e2d", L"C:\\dir\\"},
                                         WideStringList{WideString(518, L'x')}));  // 518 + 1 terminator: the most

TEST(ArgumentAreaTest, TheLayoutIsEachArgumentEndedByAZeroThenOneMoreZero) {
  const std::optional<std::string> area = EncodeArgumentArea({L"ab", L"c"});
  ASSERT_TRUE(area);
  EXPECT_EQ(area->substr(0, 12), Units(std::u16string(u"ab\0c\0\0", 6)));
  EXPECT_EQ(area->find_first_not_of('\0', 10), std::string::npos);
}

TEST(ArgumentAreaTest, RefusesWhatItCannotCarryFaithfully) {
  EXPECT_FALSE(EncodeArgumentArea({}));                       // reads back as one empty argument
  EXPECT_FALSE(EncodeArgumentArea({L"a", L"", L"b"}));        // reads back as the list's end
  EXPECT_FALSE(EncodeArgumentArea({L"a", L""}));              // a final one too
  EXPECT_FALSE(EncodeArgumentArea({WideString(519, L'x')}));  // 1040 bytes, and no room for the final zero
  EXPECT_FALSE(
      EncodeArgumentArea({WideString(300, L'x'), WideString(218, L'y')}));  // 520 units with their zeros: one too many
  EXPECT_TRUE(EncodeArgumentArea({WideString(300, L'x'), WideString(217, L'y')}));
}

struct DecodeCase {
  std::string bytes;
  WideStringList expected;
};

class ArgumentAreaDecode : public testing::TestWithParam<DecodeCase> {};

TEST_P(ArgumentAreaDecode, ReadsAsTheLayoutSays) {
  EXPECT_EQ(DecodeArgumentArea(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Bytes, ArgumentAreaDecode,
                         testing::Values(
                             // An area of zeros, as one with no arguments was written: one empty argument.
                             DecodeCase{std::string(kArgumentAreaSize, '\0'), {L""}},
                             // An empty argument in the middle ends the list there.
                             DecodeCase{Units(std::u16string(u"a\0\0b\0\0", 6)), {L"a"}},
                             // Bytes that end before the final zero: what was collected is the last argument.
                             DecodeCase{Units(u"abc"), {L"abc"}},
                             DecodeCase{Units(std::u16string(u"a\0b", 3)), {L"a", L"b"}},
                             DecodeCase{Units(std::u16string(u"a\0", 2)), {L"a"}},
                             // An odd last byte is no unit.
                             DecodeCase{Units(u"ab") + "c", {L"ab"}}, DecodeCase{"", {}}, DecodeCase{"x", {}}));

}  // namespace

}  // namespace launcher::instance
