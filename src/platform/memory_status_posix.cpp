#include "platform/memory_status.h"

#include <sys/resource.h>
#include <unistd.h>

#include <fstream>

namespace platform {
namespace {

// The user address space of an x86-64 process: 47 bits.
constexpr uint64_t kUserAddressSpace = uint64_t{1} << 47;

uint64_t VirtualSizeInUse() {
  std::ifstream statm("/proc/self/statm");
  uint64_t pages = 0;
  statm >> pages;
  return pages * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
}

}  // namespace

// The available address space is the process limit (or the whole user address
// space when there is none) less what the process already uses.
MemoryFigures QueryMemoryFigures() {
  MemoryFigures figures;
  long pages = sysconf(_SC_PHYS_PAGES);
  long pageSize = sysconf(_SC_PAGESIZE);
  if (pages > 0 && pageSize > 0) figures.totalPhysical = static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize);
  rlimit limit{};
  uint64_t space = kUserAddressSpace;
  if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) space = limit.rlim_cur;
  uint64_t used = VirtualSizeInUse();
  figures.availableVirtual = space > used ? space - used : 0;
  return figures;
}

}  // namespace platform
