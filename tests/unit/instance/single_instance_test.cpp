#include "instance/single_instance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "single_instance_fixture.h"

namespace launcher::instance {

namespace {

using namespace std::chrono_literals;
TEST_F(SingleInstanceTest, RequestsWaitForMainThenReachTheApplication) {
  std::unique_ptr<FirstInstance> first = ClaimFirst(Executable());
  ASSERT_TRUE(first);
  std::future<int32_t> second = StartSecond(Executable(), {L"a", L"bc"});
  EXPECT_EQ(second.wait_for(300ms), std::future_status::timeout);
  EXPECT_TRUE(recorder_.received.empty());
  first->OpenForwarding(recorder_.Handler());
  EXPECT_EQ(second.get(), 200003);
  EXPECT_EQ(recorder_.received, std::vector<WideStringList>{(WideStringList{L"a", L"bc"})});
}

class ArgumentListsTest : public SingleInstanceTest, public testing::WithParamInterface<WideStringList> {};

TEST_P(ArgumentListsTest, ArriveWhole) {
  std::unique_ptr<FirstInstance> first = ClaimFirst(Executable());
  ASSERT_TRUE(first);
  first->OpenForwarding(recorder_.Handler());
  EXPECT_EQ(StartSecond(Executable(), GetParam()).get(), ReplyFor(GetParam()));
  EXPECT_EQ(recorder_.received, std::vector<WideStringList>{GetParam()});
}

INSTANTIATE_TEST_SUITE_P(Lists, ArgumentListsTest,
                         testing::Values(WideStringList{}, WideStringList{L""}, WideStringList{L"a", L"", L"b"},
                                         WideStringList{L"x", L""},
                                         WideStringList{L"\u00e9\u4e2d\U0001F600", L"two words"},
                                         WideStringList{WideString(519, L'y')},
                                         WideStringList{WideString(5000, L'z'), L"after"}));

TEST_F(SingleInstanceTest, ConcurrentSecondInstancesEachDeliverTheirOwnArgumentsAndGetTheirOwnReply) {
  std::unique_ptr<FirstInstance> first = ClaimFirst(Executable());
  ASSERT_TRUE(first);
  first->OpenForwarding(recorder_.Handler());
  std::vector<WideStringList> sent;
  std::vector<std::future<int32_t>> seconds;
  for (int i = 0; i < 20; ++i) {
    sent.push_back({L"start " + std::to_wstring(i), WideString(static_cast<size_t>(i), L'.')});
    seconds.push_back(StartSecond(Executable(), sent.back()));
  }
  for (int i = 0; i < 20; ++i) EXPECT_EQ(seconds[i].get(), ReplyFor(sent[i])) << "second instance " << i;
  std::vector<WideStringList> received = recorder_.received;
  std::sort(received.begin(), received.end());
  std::sort(sent.begin(), sent.end());
  EXPECT_EQ(received, sent);
}

TEST_F(SingleInstanceTest, DifferentExecutablesAreIndependent) {
  std::unique_ptr<FirstInstance> one = ClaimFirst(Executable(L"one.exe"));
  std::unique_ptr<FirstInstance> other = ClaimFirst(Executable(L"other.exe"));
  EXPECT_TRUE(one);
  EXPECT_TRUE(other);
}

// A start whose request waits for main when the first instance ends is not
// left with the dying instance's exit code: it is sent away to run on its own,
// and becomes the first instance that later starts reach.
TEST_F(SingleInstanceTest, ARequestWaitingWhenTheFirstInstanceEndsIsSentAwayToTakeItsPlace) {
  std::unique_ptr<FirstInstance> first = ClaimFirst(Executable());
  ASSERT_TRUE(first);
  std::future<int32_t> waiting = StartSecond(Executable(), {L"a"});
  EXPECT_EQ(waiting.wait_for(300ms), std::future_status::timeout);
  first->CloseForwarding();
  first.reset();
  EXPECT_EQ(waiting.get(), kSentAway);
  first = ClaimFirst(Executable());
  ASSERT_TRUE(first);
  first->OpenForwarding(recorder_.Handler());
  EXPECT_EQ(StartSecond(Executable(), {L"b"}).get(), 100001);
  EXPECT_EQ(recorder_.received, std::vector<WideStringList>{(WideStringList{L"b"})});
}

TEST_F(SingleInstanceTest, TheNextStartAfterTheFirstInstanceWentIsTheFirstInstance) {
  std::unique_ptr<FirstInstance> first = ClaimFirst(Executable());
  ASSERT_TRUE(first);
  first.reset();
  first = ClaimFirst(Executable());
  ASSERT_TRUE(first);
  first->OpenForwarding(recorder_.Handler());
  EXPECT_EQ(StartSecond(Executable(), {L"again"}).get(), 100005);
}

}  // namespace

}  // namespace launcher::instance
