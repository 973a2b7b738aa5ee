#include "platform/memory_status.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/files.h"

namespace platform {
namespace {

// The user address space of an x86-64 process: 47 bits.
constexpr uint64_t kUserAddressSpace = uint64_t{1} << 47;

// Read without iostreams, whose locale set-up alone would add half a
// megabyte of the C++ library to the process's resident memory.
uint64_t VirtualSizeInUse() {
  const std::string statm = ReadWholeFile(L"/proc/self/statm").value_or("");
  const uint64_t pages = std::strtoull(statm.c_str(), nullptr, 10);
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
