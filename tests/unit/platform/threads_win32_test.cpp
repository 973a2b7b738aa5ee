#include "platform/threads.h"

#include <gtest/gtest.h>

#include "platform/windows_api.h"

namespace launcher::platform {

// The JVM thread's stack size ("-Xss") is the stack's reservation, as under
// java.exe, not a commit size: a commit size would take it all from the page
// file up front, and the reservation would be at least the executable's
// default. Wine commits every stack whole, so only the reservation shows here:
// asked for less than the default, the stack is reserved at the size asked.

namespace {

// Adds up the regions of the calling thread's stack allocation.
uint32_t MeasureReservation(void* reserved) {
  MEMORY_BASIC_INFORMATION region;
  ::VirtualQuery(&region, &region, sizeof(region));
  const auto* base = static_cast<const char*>(region.AllocationBase);
  const char* at = base;
  uint64_t total = 0;
  while (::VirtualQuery(at, &region, sizeof(region)) != 0 && region.AllocationBase == base) {
    total += region.RegionSize;
    at += region.RegionSize;
  }
  *static_cast<uint64_t*>(reserved) = total;
  return 0;
}

uint64_t DefaultStackReservation() {
  const auto* image = reinterpret_cast<const char*>(::GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image + dos->e_lfanew);
  return nt->OptionalHeader.SizeOfStackReserve;
}

TEST(ThreadsWin32Test, TheStackSizeIsTheStacksReservation) {
  const uint64_t standard = DefaultStackReservation();
  ASSERT_GE(standard, 2u << 20) << "a default large enough to ask for less";
  const uint64_t asked = standard * 3 / 4;
  uint64_t reserved = 0;
  ASSERT_EQ(platform::RunThreadAndWait(asked, &MeasureReservation, &reserved).value_or(1), 0u);
  EXPECT_GE(reserved, asked);
  EXPECT_LT(reserved, standard);
}

}  // namespace

}  // namespace launcher::platform
