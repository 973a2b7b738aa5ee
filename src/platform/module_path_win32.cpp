#include "platform/module_path.h"

#include "platform/windows_api.h"

namespace platform {

ModulePathResult QueryModulePath() {
  // GetModuleFileNameW truncates silently when the buffer is too small, so the
  // buffer grows until the whole path fits.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {false, {}, ::GetLastError()};
    if (length < buffer.size()) {
      buffer.resize(length);
      return {true, buffer, 0};
    }
    if (buffer.size() >= 32768) return {false, {}, ERROR_INSUFFICIENT_BUFFER};
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace platform
