#include <future>
#include <thread>

#include "instance/claimed_block_win32.h"
#include "instance/instance_names.h"
#include "instance/shared_block.h"
#include "platform/kernel_handle.h"
#include "platform/windows_api.h"
#include "single_instance_fixture.h"

namespace {

using namespace std::chrono_literals;

class SingleInstanceWin32Test : public test::SingleInstanceTest {};

TEST_F(SingleInstanceWin32Test, WithoutAForwardingEventRequestsAreRefusedAtOnce) {
  // Another kind of object under the event's name: the event cannot be made.
  platform::KernelHandle squatter(
      ::CreateMutexW(nullptr, FALSE, ForwardingEventNameOf(ObjectNameOf(Executable())).c_str()));
  ASSERT_TRUE(squatter);
  std::unique_ptr<FirstInstance> first = ClaimFirst(Executable());
  ASSERT_TRUE(first);
  std::future<int32_t> second = StartSecond(Executable(), {L"a"});
  ASSERT_EQ(second.wait_for(10s), std::future_status::ready);
  EXPECT_EQ(second.get(), -1);
  first->OpenForwarding(recorder_.Handler());  // main runs all the same; requests stay refused
  EXPECT_EQ(StartSecond(Executable(), {L"b"}).get(), -1);
  EXPECT_TRUE(recorder_.received.empty());
}

TEST_F(SingleInstanceWin32Test, ABlockWithoutAFirstInstanceBehindItFailsTheHandOff) {
  platform::KernelHandle block(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSharedBlockSize,
                                                    ObjectNameOf(Executable()).c_str()));
  ASSERT_TRUE(block);
  EXPECT_EQ(StartSecond(Executable(), {L"a"}).get(), -1);
}

// Any process of the session may post the message thread a WM_QUIT: the first
// instance still ends, rather than posting its own for ever.
TEST_F(SingleInstanceWin32Test, AFirstInstanceWhoseMessageThreadWasStoppedByAnotherStillEnds) {
  std::unique_ptr<FirstInstance> first = ClaimFirst(Executable());
  ASSERT_TRUE(first);
  platform::KernelHandle mapping(::OpenFileMappingW(FILE_MAP_READ, FALSE, ObjectNameOf(Executable()).c_str()));
  ASSERT_TRUE(mapping);
  const void* view = ::MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, kSharedBlockSize);
  ASSERT_NE(view, nullptr);
  const BlockHeader header = ReadBlockHeader({static_cast<const char*>(view), kSharedBlockSize});
  ::UnmapViewOfFile(view);
  platform::KernelHandle thread(::OpenThread(SYNCHRONIZE, FALSE, header.messageThreadId));
  ASSERT_TRUE(thread);
  ASSERT_TRUE(::PostThreadMessageW(header.messageThreadId, WM_QUIT, 0, 0));
  ASSERT_EQ(::WaitForSingleObject(thread.Get(), 10000), WAIT_OBJECT_0);
  std::promise<void> ended;
  std::future<void> end = ended.get_future();
  std::thread([first = std::move(first), ended = std::move(ended)]() mutable {
    first.reset();
    ended.set_value();
  }).detach();
  EXPECT_EQ(end.wait_for(10s), std::future_status::ready);
}

// A holder that is stuck (alive, never releasing) is waited for a bounded time
// only; once it lets go the mutex is taken again.
TEST_F(SingleInstanceWin32Test, AStuckHolderOfTheHandOffMutexIsWaitedForABoundedTime) {
  const WideString name = ObjectNameOf(Executable());
  std::promise<void> holding;
  std::promise<void> release;
  std::thread holder([&] {
    std::optional<HeldMutex> held = TakeHandOffMutex(name, 0);
    holding.set_value();
    release.get_future().wait();
  });
  holding.get_future().wait();
  EXPECT_FALSE(TakeHandOffMutex(name, 50));
  release.set_value();
  holder.join();
  EXPECT_TRUE(TakeHandOffMutex(name, 0));
}

// A first instance that never copies the arguments (here one whose process
// cannot be watched, so the wait is the short one): the hand-off is no success.
TEST_F(SingleInstanceWin32Test, ArgumentsNeverCopiedEndTheSecondInstanceWithMinusOne) {
  const WideString name = ObjectNameOf(Executable());
  platform::KernelHandle block(
      ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSharedBlockSize, name.c_str()));
  ASSERT_TRUE(block);
  platform::KernelHandle copied(::CreateEventW(nullptr, FALSE, FALSE, CopiedEventNameOf(name).c_str()));
  ASSERT_TRUE(copied);
  std::promise<uint32_t> queued;
  std::promise<void> done;
  std::thread silent([&] {
    MSG message;
    ::PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    queued.set_value(::GetCurrentThreadId());
    done.get_future().wait();
  });
  void* view = ::MapViewOfFile(block.Get(), FILE_MAP_WRITE, 0, 0, kSharedBlockSize);
  ASSERT_NE(view, nullptr);
  // Process id 0 opens no process.
  WriteBlockHeader(static_cast<char*>(view), {queued.get_future().get(), 0, ::RegisterWindowMessageW(name.c_str())});
  ::UnmapViewOfFile(view);
  EXPECT_EQ(StartSecond(Executable(), {L"a"}).get(), -1);
  done.set_value();
  silent.join();
}

}  // namespace
