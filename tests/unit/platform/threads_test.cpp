#include "platform/threads.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace launcher::platform {

namespace {

// What the threads did, for the test thread to wait on.
struct Tally {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<int> runs;
  int finished = 0;

  void Record(int index) {
    {
      std::lock_guard lock(mutex);
      ++runs[static_cast<size_t>(index)];
      ++finished;
    }
    changed.notify_all();
  }

  bool WaitFor(int count) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, std::chrono::seconds(30), [&] { return finished >= count; });
  }
};

// Bursts of short threads, started from several threads at once while earlier
// ones end, as a first instance serves many forwarded starts while the
// application makes threads of its own: each runs its own work, exactly once.
TEST(ThreadsTest, BurstsOfThreadsEachRunTheirOwnWorkOnce) {
  constexpr int kStarters = 4;
  constexpr int kThreadsEach = 100;
  Tally tally;
  tally.runs.assign(kStarters * kThreadsEach, 0);
  std::vector<std::thread> starters;
  std::vector<int> started(kStarters, 0);
  for (int s = 0; s < kStarters; ++s) {
    starters.emplace_back([&tally, &started, s] {
      for (int i = 0; i < kThreadsEach; ++i) {
        const int index = s * kThreadsEach + i;
        started[static_cast<size_t>(s)] +=
            platform::StartDetachedThread([&tally, index] { tally.Record(index); }) ? 1 : 0;
      }
    });
  }
  for (std::thread& starter : starters) starter.join();
  EXPECT_EQ(started, std::vector<int>(kStarters, kThreadsEach));
  ASSERT_TRUE(tally.WaitFor(kStarters * kThreadsEach));
  std::lock_guard lock(tally.mutex);
  EXPECT_EQ(tally.runs, std::vector<int>(kStarters * kThreadsEach, 1));
}

TEST(ThreadsTest, AnExceptionEndsOnlyItsThread) {
  Tally tally;
  tally.runs.assign(2, 0);
  ASSERT_TRUE(platform::StartDetachedThread([&tally] {
    tally.Record(0);
    throw std::runtime_error("lost");
  }));
  ASSERT_TRUE(tally.WaitFor(1));
  ASSERT_TRUE(platform::StartDetachedThread([&tally] { tally.Record(1); }));
  EXPECT_TRUE(tally.WaitFor(2));
}

}  // namespace

}  // namespace launcher::platform
