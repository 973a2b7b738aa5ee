#include "platform/registry.h"

#include "platform/windows_api.h"

namespace launcher::platform {

namespace {

class Win32RegistryKey final : public RegistryKey {
 public:
  explicit Win32RegistryKey(HKEY key) : key_(key) {}

  std::optional<WideString> SubkeyName(uint32_t index) override {
    wchar_t name[256];  // the longest key name the registry allows, and its NUL
    DWORD length = 256;
    if (::RegEnumKeyExW(key_.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    return WideString(name, length);
  }

  std::optional<WideString> TextValue(const WideString& name) override {
    DWORD size = 0;
    if (::RegQueryValueExW(key_.Get(), name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS || size == 0) {
      return std::nullopt;
    }
    std::wstring data((size + 1) / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(key_.Get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS) {
      return std::nullopt;
    }
    data.resize(size / sizeof(wchar_t));
    return data.substr(0, data.find(L'\0'));
  }

 private:
  platform::win32::RegistryKeyHandle key_;
};

class Win32Registry final : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenKey(RegistryHive hive, const WideString& path, bool view32) override {
    HKEY key = nullptr;
    REGSAM access = KEY_READ | (view32 ? KEY_WOW64_32KEY : 0);
    HKEY root = hive == RegistryHive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    if (::RegOpenKeyExW(root, path.c_str(), 0, access, &key) != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32RegistryKey>(key);
  }
};

}  // namespace

Registry& SystemRegistry() {
  static Win32Registry registry;
  return registry;
}

}  // namespace launcher::platform
