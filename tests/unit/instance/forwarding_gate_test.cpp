#include "instance/forwarding_gate.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>

namespace launcher::instance {

namespace {

using Verdict = ForwardingGate::Verdict;
using namespace std::chrono_literals;

// A handler that answers with its own number.
RequestHandler Answering(int32_t value) {
  return [value](const WideStringList&, const Reply& reply) { reply(value); };
}

constexpr int32_t kSentAway = -2000;

// What a request through the gate is answered with; -1000 for none.
int32_t Served(ForwardingGate& gate) {
  int32_t answer = -1000;
  ServeRequest(
      gate, {}, [&answer](int32_t value) { answer = value; }, [&answer] { answer = kSentAway; });
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

TEST(ForwardingGateTest, OnceClosedNothingPassesAndWaitingRequestsAreSentAway) {
  ForwardingGate waitingGate;
  std::future<int32_t> waiting = std::async(std::launch::async, [&waitingGate] { return Served(waitingGate); });
  waitingGate.Close();
  EXPECT_EQ(waiting.get(), kSentAway);
  waitingGate.Open(Answering(7));
  EXPECT_EQ(waitingGate.Pass().verdict, Verdict::SendAway);

  ForwardingGate openGate;
  openGate.Open(Answering(7));
  openGate.Drain();
  EXPECT_EQ(Served(openGate), kSentAway);
}

// No request may still use the JVM once it is being destroyed: draining waits
// for the ones being served, and lets no new one through meanwhile.
TEST(ForwardingGateTest, DrainingWaitsForTheRequestsBeingServed) {
  ForwardingGate gate;
  std::promise<void> entered;
  std::promise<void> finish;
  std::shared_future<void> finishing = finish.get_future().share();
  gate.Open([&entered, finishing](const WideStringList&, const Reply& reply) {
    entered.set_value();
    finishing.wait();
    reply(5);
  });
  std::future<int32_t> served = std::async(std::launch::async, [&gate] { return Served(gate); });
  entered.get_future().wait();
  std::future<void> drained = std::async(std::launch::async, [&gate] { gate.Drain(); });
  EXPECT_EQ(drained.wait_for(200ms), std::future_status::timeout);
  EXPECT_EQ(Served(gate), kSentAway);  // closed while it drains
  finish.set_value();
  drained.get();
  EXPECT_EQ(served.get(), 5);
}

}  // namespace

}  // namespace launcher::instance
