#include <memory>

#include "platform/detached_thread.h"
#include "platform/windows_api.h"

// A thread of the system's own rather than a detached std::thread: the MinGW
// thread library can hand a detached thread's record to the next thread it
// makes while the first is still starting or ending, which under a burst of
// threads starts one with another's work or with none at all.

namespace {

DWORD WINAPI RunWork(void* parameter) {
  std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(parameter));
  try {
    (*work)();
  } catch (...) {
  }
  return 0;
}

}  // namespace

namespace platform {

bool StartDetachedThread(std::function<void()> work) {
  auto owned = std::make_unique<std::function<void()>>(std::move(work));
  HANDLE thread = ::CreateThread(nullptr, 0, &RunWork, owned.get(), 0, nullptr);
  if (thread == nullptr) return false;
  owned.release();
  ::CloseHandle(thread);
  return true;
}

}  // namespace platform
