#include "instance/hand_off.h"

#include <gtest/gtest.h>

namespace launcher::instance {

namespace {

TEST(HandOffTest, WithoutAReplyTheFirstInstancesExitCodeOrMinusOne) {
  EXPECT_EQ(ExitCodeWithoutReply(7u), 7);
  EXPECT_EQ(ExitCodeWithoutReply(0xFFFFFFFFu), -1);  // a launcher that failed
  EXPECT_EQ(ExitCodeWithoutReply(std::nullopt), -1);
}

TEST(HandOffTest, ARepliesSignSurvivesTheMessage) {
  for (int32_t reply : {0, 1, -1, -2147483647 - 1, 2147483647}) {
    EXPECT_EQ(ReplyOfMessageParameter(ReplyAsMessageParameter(reply)), reply);
  }
  // Only the low 32 bits count.
  EXPECT_EQ(ReplyOfMessageParameter(0xABCD00000005ull), 5);
}

// The requesting thread stays where a reader of the plain protocol finds it;
// the hand-off's number rides above it.
TEST(HandOffTest, ARequestCarriesTheThreadAndTheHandOffsNumber) {
  const uint64_t wParam = RequestAsMessageParameter({0x89ABCDEFu, 0x7FFFFFFFu});
  EXPECT_EQ(static_cast<uint32_t>(wParam), 0x89ABCDEFu);
  const RequestTag tag = RequestOfMessageParameter(wParam);
  EXPECT_EQ(tag.threadId, 0x89ABCDEFu);
  EXPECT_EQ(tag.number, 0x7FFFFFFFu);
}

// The grant goes to the first instance the hand-off names, never to nobody or
// to the start itself.
TEST(HandOffTest, TheForegroundIsGrantedToTheFirstInstanceOnly) {
  EXPECT_EQ(ForegroundGrantFor(4242, 100), 4242u);
  EXPECT_EQ(ForegroundGrantFor(0, 100), std::nullopt);
  EXPECT_EQ(ForegroundGrantFor(100, 100), std::nullopt);
}

TEST(HandOffTest, TheSocketsAnswerGivesTheExitCode) {
  EXPECT_EQ(ExitCodeOfAnswer(Answer{Answer::Kind::Reply, 12}), 12);
  EXPECT_EQ(ExitCodeOfAnswer(Answer{Answer::Kind::Ended, 3}), 3);
  EXPECT_EQ(ExitCodeOfAnswer(std::nullopt), -1);
}

}  // namespace

}  // namespace launcher::instance
