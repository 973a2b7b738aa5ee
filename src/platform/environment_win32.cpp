#include "platform/environment.h"

#include "platform/windows_api.h"

namespace platform {

std::optional<WideString> GetEnvironmentValue(const WideString& name) {
  std::wstring buffer(256, L'\0');
  for (;;) {
    ::SetLastError(0);
    DWORD length = ::GetEnvironmentVariableW(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return WideString();
    }
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(length);  // length includes the terminating NUL here
  }
}

bool SetEnvironmentValue(const WideString& name, const WideString& value) {
  return ::SetEnvironmentVariableW(name.c_str(), value.c_str()) != 0;
}

bool UnsetEnvironmentValue(const WideString& name) { return ::SetEnvironmentVariableW(name.c_str(), nullptr) != 0; }

WideString ExpandEnvironmentReferences(const WideString& text) {
  DWORD size = ::ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  if (size == 0) return text;
  for (;;) {
    std::wstring buffer(size, L'\0');
    DWORD written = ::ExpandEnvironmentStringsW(text.c_str(), buffer.data(), size);
    if (written == 0) return text;
    if (written <= size) {
      buffer.resize(written - 1);
      return buffer;
    }
    size = written;
  }
}

}  // namespace platform
