#include "instance/forwarding_gate.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>

namespace {

using Verdict = ForwardingGate::Verdict;
using namespace std::chrono_literals;

TEST(ForwardingGateTest, RequestsWaitUntilTheGateOpens) {
  ForwardingGate gate;
  std::future<Verdict> waiting = std::async(std::launch::async, [&gate] { return gate.Pass(); });
  EXPECT_EQ(waiting.wait_for(100ms), std::future_status::timeout);
  gate.Open();
  EXPECT_EQ(waiting.get(), Verdict::Serve);
  EXPECT_EQ(gate.Pass(), Verdict::Serve);  // later ones pass at once
}

TEST(ForwardingGateTest, AGateThatCanNeverOpenRefusesAtOnce) {
  ForwardingGate gate;
  std::future<Verdict> waiting = std::async(std::launch::async, [&gate] { return gate.Pass(); });
  gate.Refuse();
  EXPECT_EQ(waiting.get(), Verdict::Refuse);
  gate.Open();  // main may still run: the requests stay refused
  EXPECT_EQ(gate.Pass(), Verdict::Refuse);
  gate.Close();
  EXPECT_EQ(gate.Pass(), Verdict::Refuse);
}

TEST(ForwardingGateTest, OnceClosedNothingPassesAndWaitingRequestsAreDropped) {
  ForwardingGate waitingGate;
  std::future<Verdict> waiting = std::async(std::launch::async, [&waitingGate] { return waitingGate.Pass(); });
  waitingGate.Close();
  EXPECT_EQ(waiting.get(), Verdict::Drop);
  waitingGate.Open();
  EXPECT_EQ(waitingGate.Pass(), Verdict::Drop);

  ForwardingGate openGate;
  openGate.Open();
  openGate.Close();
  EXPECT_EQ(openGate.Pass(), Verdict::Drop);
}

}  // namespace
