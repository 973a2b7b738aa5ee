#include "platform/detached_thread.h"

#include <system_error>
#include <thread>

namespace platform {

bool StartDetachedThread(std::function<void()> work) {
  try {
    std::thread([work = std::move(work)] {
      try {
        work();
      } catch (...) {
      }
    }).detach();
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

}  // namespace platform
