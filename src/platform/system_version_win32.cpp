#include "platform/system_version.h"

#include "platform/windows_api.h"

namespace platform {

bool IsNtFamily() {
  // The extended structure first, then the plain one; neither answering means "not NT".
  OSVERSIONINFOEXW extended{};
  extended.dwOSVersionInfoSize = sizeof(extended);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&extended))) {
    return extended.dwPlatformId == VER_PLATFORM_WIN32_NT;
  }
  OSVERSIONINFOW plain{};
  plain.dwOSVersionInfoSize = sizeof(plain);
  if (::GetVersionExW(&plain)) return plain.dwPlatformId == VER_PLATFORM_WIN32_NT;
#pragma GCC diagnostic pop
  return false;
}

}  // namespace platform
