#include "platform/ini_file.h"

#include "platform/windows_api.h"

namespace platform {

uint32_t ReadIniString(const WideString& section, const WideString& key, wchar_t* buffer,
                          uint32_t size, const WideString& path) {
  return ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer, size, path.c_str());
}

bool WriteIniString(const WideString& section, const WideString& key, const WideString& value,
                        const WideString& path) {
  return ::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != 0;
}

}  // namespace platform
