#include <limits.h>
#include <pthread.h>
#include <unistd.h>

#include <system_error>
#include <thread>

#include "platform/threads.h"

namespace launcher::platform {
namespace {

struct Start {
  ThreadRoutine routine;
  void* parameter;
  uint32_t exitCode = 0;
};

void* ThreadMain(void* start) {
  Start* s = static_cast<Start*>(start);
  s->exitCode = s->routine(s->parameter);
  return nullptr;
}

// pthreads want at least PTHREAD_STACK_MIN, in whole pages.
size_t UsableStackSize(uint64_t requested) {
  const uint64_t page = static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
  const uint64_t minimum = static_cast<uint64_t>(PTHREAD_STACK_MIN);
  uint64_t size = requested < minimum ? minimum : requested;
  return static_cast<size_t>((size + page - 1) / page * page);
}

}  // namespace

SystemResult<uint32_t> RunThreadAndWait(uint64_t stackSize, ThreadRoutine routine, void* parameter) {
  Start start{routine, parameter};
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  if (stackSize != 0) pthread_attr_setstacksize(&attributes, UsableStackSize(stackSize));
  pthread_t thread;
  const int failed = pthread_create(&thread, &attributes, &ThreadMain, &start);
  pthread_attr_destroy(&attributes);
  if (failed != 0) return SystemError{static_cast<uint32_t>(failed)};
  pthread_join(thread, nullptr);
  return start.exitCode;
}

SystemStatus StartDetachedThread(std::function<void()> work) {
  try {
    std::thread([work = std::move(work)] {
      try {
        work();
      } catch (...) {
      }
    }).detach();
    return Done{};
  } catch (const std::system_error& error) {
    return SystemError{static_cast<uint32_t>(error.code().value())};
  }
}

void SleepForever() {
  for (;;) pause();
}

// POSIX threads have no message queues.
void CreateThreadMessageQueue() {}

void* ActiveWindow() { return nullptr; }

}  // namespace launcher::platform
