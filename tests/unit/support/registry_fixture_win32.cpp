#include "registry_fixture.h"

#include "platform/windows_api.h"

namespace launcher {

namespace test {
namespace {

HKEY RootOf(platform::RegistryHive hive) {
  return hive == platform::RegistryHive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// Writes real keys under HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER and removes
// exactly the keys it created, children first, when the test ends.
class SystemRegistryFixture final : public RegistryFixture {
 public:
  ~SystemRegistryFixture() override {
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
      ::RegDeleteKeyExW(RootOf(it->hive), it->path.c_str(), it->view32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY, 0);
    }
  }

  void AddRuntime(const WideString& vendorKey, const WideString& version, const WideString& javaHome,
                  bool view32) override {
    ::RegCloseKey(Create(platform::RegistryHive::LocalMachine, vendorKey.substr(0, vendorKey.size() - 1), view32));
    Set(Create(platform::RegistryHive::LocalMachine, vendorKey + version, view32), L"JavaHome", javaHome);
  }

  void SetValue(platform::RegistryHive hive, const WideString& keyPath, const WideString& name,
                const WideString& value) override {
    Set(Create(hive, keyPath, false), name, value);
  }

  platform::Registry& View() override { return platform::SystemRegistry(); }

 private:
  struct CreatedKey {
    platform::RegistryHive hive;
    WideString path;
    bool view32;
  };

  // Sets a REG_SZ value and closes the key.
  static void Set(HKEY key, const WideString& name, const WideString& value) {
    ::RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
  }

  // Creates every missing key on the path, remembering the ones it made.
  HKEY Create(platform::RegistryHive hive, const WideString& path, bool view32) {
    HKEY key = nullptr;
    for (size_t end = path.find(L'\\');; end = path.find(L'\\', end + 1)) {
      WideString part = path.substr(0, end);
      if (key) ::RegCloseKey(key);
      DWORD disposition = 0;
      ::RegCreateKeyExW(RootOf(hive), part.c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS | (view32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY), nullptr, &key, &disposition);
      if (disposition == REG_CREATED_NEW_KEY) created_.push_back({hive, part, view32});
      if (end == WideString::npos) return key;
    }
  }

  std::vector<CreatedKey> created_;
};

}  // namespace

std::vector<RegistryFixtureKind> RegistryFixtureKinds() {
  return {{"Fake", &MakeFakeRegistryFixture},
          {"SystemRegistry", [] { return std::unique_ptr<RegistryFixture>(new SystemRegistryFixture()); }}};
}

}  // namespace test

}  // namespace launcher
