#include "app/application_restart.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace launcher::app {

namespace {

using Verdict = RestartDecision::Verdict;

constexpr uint64_t kNow = 1'000'000;

TEST(ApplicationRestartTest, OnlyTheListedCodesRestartAndTheGuardCutsALoop) {
  const std::vector<int32_t> codes{23, -2};
  struct Case {
    int32_t code;
    std::optional<RestartCount> earlier;
    Verdict verdict;
    RestartCount next;
  };
  const Case cases[] = {
      {0, std::nullopt, Verdict::NotAsked, {}},
      {24, RestartCount{1, kNow}, Verdict::NotAsked, {}},
      {23, std::nullopt, Verdict::Restart, {1, kNow}},
      {-2, RestartCount{4, kNow - 59'999}, Verdict::Restart, {5, kNow - 59'999}},
      {23, RestartCount{5, kNow - 59'999}, Verdict::TooMany, {5, kNow - 59'999}},
      // The window has passed: counting starts again.
      {23, RestartCount{5, kNow - 60'000}, Verdict::Restart, {1, kNow}},
      // A window from the future is from another clock (the machine restarted).
      {23, RestartCount{5, kNow + 1}, Verdict::Restart, {1, kNow}},
  };
  for (const Case& c : cases) {
    const RestartDecision decision = DecideRestart(codes, c.code, c.earlier, kNow);
    EXPECT_EQ(decision.verdict, c.verdict) << c.code;
    if (c.verdict == Verdict::NotAsked) continue;
    EXPECT_EQ(decision.next.restarts, c.next.restarts) << c.code;
    EXPECT_EQ(decision.next.windowStartMs, c.next.windowStartMs) << c.code;
  }
}

TEST(ApplicationRestartTest, TheCountTravelsAsTextAndOnlyAsItsOwn) {
  const std::optional<RestartCount> count = ParseRestartCount(FormatRestartCount({3, 18446744073709}));
  ASSERT_TRUE(count);
  EXPECT_EQ(count->restarts, 3u);
  EXPECT_EQ(count->windowStartMs, 18446744073709u);
  for (const wchar_t* text : {L"", L"3", L"3 ", L" 3 5", L"x 5", L"3 5x", L"-1 5", L"6 5", L"99999999999999999999 5"}) {
    EXPECT_FALSE(ParseRestartCount(text)) << platform::ToUtf8(text);
  }
}

}  // namespace

}  // namespace launcher::app
