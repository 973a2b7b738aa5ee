#include "platform/thread.h"

#include "platform/windows_api.h"

namespace platform {
namespace {

struct Start {
  ThreadRoutine routine;
  void* parameter;
};

DWORD WINAPI ThreadMain(void* start) {
  const Start* s = static_cast<const Start*>(start);
  return s->routine(s->parameter);
}

}  // namespace

std::optional<uint32_t> RunThreadAndWait(uint64_t stackSize, ThreadRoutine routine, void* parameter) {
  Start start{routine, parameter};
  // The size is the stack's reservation, as the JVM expects of "-Xss"; taken
  // as a commit size instead, it would all come out of the page file at once.
  win32::KernelHandle thread(::CreateThread(nullptr, static_cast<SIZE_T>(stackSize), &ThreadMain, &start,
                                            STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
  if (!thread) return std::nullopt;
  ::WaitForSingleObject(thread.Get(), INFINITE);
  DWORD code = 0;
  ::GetExitCodeThread(thread.Get(), &code);
  return code;
}

void SleepForever() {
  for (;;) ::Sleep(INFINITE);
}

}  // namespace platform
