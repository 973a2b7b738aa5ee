#include "instance/hand_off.h"

#include <gtest/gtest.h>

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

TEST(HandOffTest, TheSocketsAnswerGivesTheExitCode) {
  EXPECT_EQ(ExitCodeOfAnswer(Answer{Answer::Kind::Reply, 12}), 12);
  EXPECT_EQ(ExitCodeOfAnswer(Answer{Answer::Kind::Ended, 3}), 3);
  EXPECT_EQ(ExitCodeOfAnswer(std::nullopt), -1);
}

}  // namespace
