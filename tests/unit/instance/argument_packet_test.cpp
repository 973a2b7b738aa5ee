#include "instance/argument_packet.h"

#include <gtest/gtest.h>

namespace launcher::instance {

namespace {

struct PacketCase {
  WideStringList arguments;
  PacketText text;
};

class ArgumentPacketRoundTrip : public testing::TestWithParam<PacketCase> {};

TEST_P(ArgumentPacketRoundTrip, CarriesEveryListWhole) {
  const std::string packet = EncodeArgumentPacket(GetParam().arguments, GetParam().text);
  EXPECT_EQ(DecodeArgumentPacket(packet, GetParam().text), GetParam().arguments);
}

const WideStringList kAwkward{L"", L"a", L"", L"two words", L"\u00e9\u4e2d\U0001F600", L""};

INSTANTIATE_TEST_SUITE_P(Lists, ArgumentPacketRoundTrip,
                         testing::Values(PacketCase{{}, PacketText::Utf16}, PacketCase{{}, PacketText::Utf8},
                                         PacketCase{{L""}, PacketText::Utf16}, PacketCase{kAwkward, PacketText::Utf16},
                                         PacketCase{kAwkward, PacketText::Utf8},
                                         PacketCase{{WideString(32767, L'x'), L"y"}, PacketText::Utf16}));

TEST(ArgumentPacketTest, TheLayoutIsCountThenLengthAndTextOfEach) {
  using namespace std::string_literals;
  EXPECT_EQ(EncodeArgumentPacket({L"ab", L""}, PacketText::Utf8), "\x02\0\0\0\x02\0\0\0ab\0\0\0\0"s);
  EXPECT_EQ(EncodeArgumentPacket({L"\u00e9"}, PacketText::Utf16), "\x01\0\0\0\x02\0\0\0\xe9\0"s);
  EXPECT_EQ(EncodeArgumentPacket({L"\u00e9"}, PacketText::Utf8), "\x01\0\0\0\x02\0\0\0\xc3\xa9"s);
}

TEST(ArgumentPacketTest, KeepsAnUnpairedSurrogateWhereTextIsUtf16) {
  if constexpr (sizeof(wchar_t) == 2) {
    const WideStringList arguments{WideString(1, static_cast<wchar_t>(0xD800)) + L"x"};
    EXPECT_EQ(DecodeArgumentPacket(EncodeArgumentPacket(arguments, PacketText::Utf16), PacketText::Utf16), arguments);
  } else {
    GTEST_SKIP() << "a POSIX argument is UTF-8 and holds no unpaired surrogate";
  }
}

class ArgumentPacketMalformed : public testing::TestWithParam<std::string> {};

TEST_P(ArgumentPacketMalformed, IsNoPacket) {
  EXPECT_FALSE(DecodeArgumentPacket(GetParam(), PacketText::Utf16));
  EXPECT_FALSE(DecodeArgumentPacket(GetParam(), PacketText::Utf8));
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(Bytes, ArgumentPacketMalformed,
                         testing::Values(""s,                                      // no count
                                         "\x01\0\0"s,                              // a short count
                                         "\x01\0\0\0"s,                            // a count without arguments
                                         "\xff\xff\xff\xff\0\0\0\0"s,              // a count beyond the bytes
                                         "\x01\0\0\0\x04\0\0\0ab"s,                // a length beyond the bytes
                                         "\x01\0\0\0\x00\0\0\0\0\0"s,              // bytes left over
                                         "\x01\0\0\0\xff\xff\xff\xff\0\0\0\0"s));  // a huge length

TEST(ArgumentPacketTest, Utf16TextOfOddLengthIsNoPacket) {
  EXPECT_FALSE(DecodeArgumentPacket("\x01\0\0\0\x03\0\0\0abc"s, PacketText::Utf16));
  EXPECT_EQ(DecodeArgumentPacket("\x01\0\0\0\x03\0\0\0abc"s, PacketText::Utf8), WideStringList{L"abc"});
}

TEST(ArgumentPacketTest, InvalidUtf8BecomesTheReplacementCharacter) {
  EXPECT_EQ(DecodeArgumentPacket("\x01\0\0\0\x02\0\0\0a\xff"s, PacketText::Utf8), WideStringList{L"a\uFFFD"});
}

}  // namespace

}  // namespace launcher::instance
