#include "instance/forwarding_gate.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>

namespace {

using Verdict = ForwardingGate::Verdict;
using namespace std::chrono_literals;

// A handler that answers with its own number.
RequestHandler Answering(int32_t value) {
  return [value](const WideStringList&, const Reply& reply) { reply(value); };
}

// What a request through the gate is answered with; -1000 for none.
int32_t Served(ForwardingGate& gate) {
  int32_t answer = -1000;
  ServeRequest(gate, {}, [&answer](int32_t value) { answer = value; });
  return answer;
}

TEST(ForwardingGateTest, RequestsWaitUntilTheGateOpensAndGoToItsHandler) {
  ForwardingGate gate;
  std::future<int32_t> waiting = std::async(std::launch::async, [&gate] { return Served(gate); });
  EXPECT_EQ(waiting.wait_for(100ms), std::future_status::timeout);
  gate.Open(Answering(7));
  EXPECT_EQ(waiting.get(), 7);
  EXPECT_EQ(Served(gate), 7);  // later ones pass at once
  gate.Open(Answering(8));     // opened once: the first handler stays
  EXPECT_EQ(Served(gate), 7);
}

TEST(ForwardingGateTest, AGateThatCanNeverOpenRefusesAtOnce) {
  ForwardingGate gate;
  std::future<int32_t> waiting = std::async(std::launch::async, [&gate] { return Served(gate); });
  gate.Refuse();
  EXPECT_EQ(waiting.get(), -1);
  gate.Open(Answering(7));  // main may still run: the requests stay refused
  EXPECT_EQ(gate.Pass().verdict, Verdict::Refuse);
  gate.Close();
  EXPECT_EQ(gate.Pass().verdict, Verdict::Refuse);
}

TEST(ForwardingGateTest, OnceClosedNothingPassesAndWaitingRequestsAreDropped) {
  ForwardingGate waitingGate;
  std::future<int32_t> waiting = std::async(std::launch::async, [&waitingGate] { return Served(waitingGate); });
  waitingGate.Close();
  EXPECT_EQ(waiting.get(), -1000);
  waitingGate.Open(Answering(7));
  EXPECT_EQ(waitingGate.Pass().verdict, Verdict::Drop);

  ForwardingGate openGate;
  openGate.Open(Answering(7));
  openGate.Close();
  EXPECT_EQ(Served(openGate), -1000);
}

}  // namespace
