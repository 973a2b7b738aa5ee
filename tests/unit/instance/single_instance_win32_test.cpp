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
  first->OpenForwarding();  // main runs all the same; requests stay refused
  EXPECT_EQ(StartSecond(Executable(), {L"b"}).get(), -1);
  EXPECT_TRUE(recorder_.received.empty());
}

TEST_F(SingleInstanceWin32Test, ABlockWithoutAFirstInstanceBehindItFailsTheHandOff) {
  platform::KernelHandle block(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSharedBlockSize,
                                                    ObjectNameOf(Executable()).c_str()));
  ASSERT_TRUE(block);
  EXPECT_EQ(StartSecond(Executable(), {L"a"}).get(), -1);
}

}  // namespace
