#include <memory>

#include "platform/threads.h"
#include "platform/windows_api.h"

namespace launcher::platform {
namespace {

struct Start {
  ThreadRoutine routine;
  void* parameter;
};

DWORD WINAPI ThreadMain(void* start) {
  const Start* s = static_cast<const Start*>(start);
  return s->routine(s->parameter);
}

DWORD WINAPI RunWork(void* parameter) {
  std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(parameter));
  try {
    (*work)();
  } catch (...) {
  }
  return 0;
}

}  // namespace

SystemResult<uint32_t> RunThreadAndWait(uint64_t stackSize, ThreadRoutine routine, void* parameter) {
  Start start{routine, parameter};
  // The size is the stack's reservation, as the JVM expects of "-Xss"; taken
  // as a commit size instead, it would all come out of the page file at once.
  win32::KernelHandle thread(::CreateThread(nullptr, static_cast<SIZE_T>(stackSize), &ThreadMain, &start,
                                            STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
  if (!thread) return win32::LastError();
  ::WaitForSingleObject(thread.Get(), INFINITE);
  DWORD code = 0;
  ::GetExitCodeThread(thread.Get(), &code);
  return static_cast<uint32_t>(code);
}

// A thread of the system's own rather than a detached std::thread: the MinGW
// thread library can hand a detached thread's record to the next thread it
// makes while the first is still starting or ending, which under a burst of
// threads starts one with another's work or with none at all.
SystemStatus StartDetachedThread(std::function<void()> work) {
  auto owned = std::make_unique<std::function<void()>>(std::move(work));
  win32::KernelHandle thread(::CreateThread(nullptr, 0, &RunWork, owned.get(), 0, nullptr));
  if (!thread) return win32::LastError();
  owned.release();
  return Done{};
}

void SleepForever() {
  for (;;) ::Sleep(INFINITE);
}

void CreateThreadMessageQueue() { ::DefWindowProcW(nullptr, WM_NULL, 0, 0); }

void* ActiveWindow() { return ::GetActiveWindow(); }

}  // namespace launcher::platform
