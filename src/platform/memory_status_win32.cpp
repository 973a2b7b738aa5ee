#include "platform/memory_status.h"

#include "platform/windows_api.h"

namespace platform {

// GlobalMemoryStatusEx: the older GlobalMemoryStatus reports wrong figures above 4 GB.
MemoryFigures QueryMemoryFigures() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof(status);
  if (!::GlobalMemoryStatusEx(&status)) return {};
  return {status.ullTotalPhys, status.ullAvailVirtual};
}

}  // namespace platform
