#include <future>
#include <thread>

#include <cstring>

#include "instance/argument_area.h"
#include "instance/claimed_block_win32.h"
#include "instance/hand_off.h"
#include "instance/instance_names.h"
#include "instance/shared_block.h"
#include "platform/windows_api.h"
#include "single_instance_fixture.h"

namespace launcher::instance {

namespace {

using namespace std::chrono_literals;

class SingleInstanceWin32Test : public SingleInstanceTest {};

TEST_F(SingleInstanceWin32Test, WithoutAForwardingEventRequestsAreRefusedAtOnce) {
  // Another kind of object under the event's name: the event cannot be made.
  platform::win32::KernelHandle squatter(
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

// A block that nobody serves (its first instance marked it ending, or was
// killed) is taken over by the next start, which becomes the first instance.
TEST_F(SingleInstanceWin32Test, ABlockNobodyServesIsTakenOverByTheNextStart) {
  const WideString name = ObjectNameOf(Executable());
  platform::win32::KernelHandle block(
      ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSharedBlockSize, name.c_str()));
  ASSERT_TRUE(block);
  platform::win32::WritableMappedView view(::MapViewOfFile(block.Get(), FILE_MAP_WRITE, 0, 0, kSharedBlockSize));
  ASSERT_TRUE(view);
  char* bytes = static_cast<char*>(view.Get());
  // A process id that no running process has: ids are multiples of 4.
  for (const uint32_t processId : {0u, 0xFFFFFFF1u}) {
    WriteBlockHeader(bytes, {1, processId, 1});
    std::unique_ptr<FirstInstance> first = ClaimFirst(Executable());
    ASSERT_TRUE(first) << processId;
    EXPECT_EQ(ReadBlockHeader({bytes, kSharedBlockSize}).processId, ::GetCurrentProcessId());
    first->OpenForwarding(recorder_.Handler());
    EXPECT_EQ(StartSecond(Executable(), {L"x"}).get(), 100001);
    first.reset();
    // Ending, it says so in the block.
    EXPECT_EQ(ReadBlockHeader({bytes, kSharedBlockSize}).processId, 0u);
  }
}

// A request whose number is not the one the block holds belongs to a start
// that gave up (or was withdrawn): it takes nothing and gets no answer, and the
// arguments in the area reach the application only through their own request.
TEST_F(SingleInstanceWin32Test, ARequestOfAStartThatGaveUpTakesNothing) {
  std::unique_ptr<FirstInstance> first = ClaimFirst(Executable());
  ASSERT_TRUE(first);
  first->OpenForwarding(recorder_.Handler());
  const WideString name = ObjectNameOf(Executable());
  platform::win32::Mapping mapping(::OpenFileMappingW(FILE_MAP_WRITE, FALSE, name.c_str()));
  ASSERT_TRUE(mapping);
  platform::win32::WritableMappedView view(::MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, kSharedBlockSize));
  ASSERT_TRUE(view);
  char* bytes = static_cast<char*>(view.Get());
  const BlockHeader header = ReadBlockHeader({bytes, kSharedBlockSize});
  MSG message;
  ::PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  const uint32_t self = ::GetCurrentThreadId();
  const std::string area = *EncodeArgumentArea({L"another start's"});
  std::memcpy(bytes + kArgumentAreaOffset, area.data(), area.size());
  HandOffWord word(bytes);
  // Withdrawn (0), and an older number than the one placed (7).
  for (const auto& [placed, posted] : {std::pair{0u, 3u}, std::pair{7u, 6u}}) {
    word.Store(placed);
    ASSERT_TRUE(::PostThreadMessageW(header.messageThreadId, header.messageId,
                                     static_cast<WPARAM>(RequestAsMessageParameter({self, posted})), 0));
  }
  // Handled after those, in order.
  EXPECT_EQ(StartSecond(Executable(), {L"mine"}).get(), 100004);
  EXPECT_EQ(recorder_.received, std::vector<WideStringList>{(WideStringList{L"mine"})});
  EXPECT_FALSE(::PeekMessageW(&message, nullptr, header.messageId, header.messageId, PM_REMOVE));
}

// Any process of the session may post the message thread a WM_QUIT: the first
// instance still ends, rather than posting its own for ever.
TEST_F(SingleInstanceWin32Test, AFirstInstanceWhoseMessageThreadWasStoppedByAnotherStillEnds) {
  std::unique_ptr<FirstInstance> first = ClaimFirst(Executable());
  ASSERT_TRUE(first);
  platform::win32::KernelHandle mapping(::OpenFileMappingW(FILE_MAP_READ, FALSE, ObjectNameOf(Executable()).c_str()));
  ASSERT_TRUE(mapping);
  const void* view = ::MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, kSharedBlockSize);
  ASSERT_NE(view, nullptr);
  const BlockHeader header = ReadBlockHeader({static_cast<const char*>(view), kSharedBlockSize});
  ::UnmapViewOfFile(view);
  platform::win32::KernelHandle thread(::OpenThread(SYNCHRONIZE, FALSE, header.messageThreadId));
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

}  // namespace

}  // namespace launcher::instance
