#include "instance/socket_messages.h"

#include <gtest/gtest.h>

namespace launcher::instance {

namespace {

using namespace std::string_literals;

TEST(SocketMessagesTest, ARequestIsThePacketsLengthThenThePacket) {
  const std::string request = EncodeRequest({L"a", L""});
  ASSERT_GE(request.size(), kRequestLengthSize);
  const std::optional<uint32_t> length = RequestLength(request.substr(0, kRequestLengthSize));
  ASSERT_TRUE(length);
  EXPECT_EQ(*length, request.size() - kRequestLengthSize);
  EXPECT_EQ(DecodeRequestPacket(request.substr(kRequestLengthSize)), (WideStringList{L"a", L""}));
}

TEST(SocketMessagesTest, AnOverlongRequestIsRefusedByItsLength) {
  EXPECT_EQ(RequestLength("\0\0\0\x01"s), std::optional<uint32_t>(16u << 20));
  EXPECT_FALSE(RequestLength("\x01\0\0\x01"s));
  EXPECT_FALSE(RequestLength("\xff\xff\xff\xff"s));
  EXPECT_FALSE(RequestLength("\0\0\0"s));
}

TEST(SocketMessagesTest, AnswersCarryTheirKindAndASignedNumber) {
  EXPECT_EQ(EncodeAnswer({Answer::Kind::Reply, -1}), "R\xff\xff\xff\xff"s);
  EXPECT_EQ(EncodeAnswer({Answer::Kind::Ended, 258}), "E\x02\x01\0\0"s);
  for (const Answer answer :
       {Answer{Answer::Kind::Reply, 0}, Answer{Answer::Kind::Ended, -5}, Answer{Answer::Kind::Reply, 2147483647},
        Answer{Answer::Kind::Copied, 31337}, Answer{Answer::Kind::SentAway, 0}}) {
    const std::optional<Answer> decoded = DecodeAnswer(EncodeAnswer(answer));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->kind, answer.kind);
    EXPECT_EQ(decoded->value, answer.value);
  }
}

TEST(SocketMessagesTest, AnythingElseIsNoAnswer) {
  EXPECT_FALSE(DecodeAnswer(""));
  EXPECT_FALSE(DecodeAnswer("R\0\0\0"s));      // short
  EXPECT_FALSE(DecodeAnswer("R\0\0\0\0\0"s));  // long
  EXPECT_FALSE(DecodeAnswer("X\0\0\0\0"s));    // unknown kind
}

}  // namespace

}  // namespace launcher::instance
