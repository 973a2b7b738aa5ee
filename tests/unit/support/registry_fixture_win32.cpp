#include "registry_fixture.h"

#include "platform/windows_api.h"

namespace test {
namespace {

// Writes real keys under HKEY_LOCAL_MACHINE and removes exactly the keys it
// created, children first, when the test ends.
class SystemRegistryFixture final : public RegistryFixture {
 public:
  ~SystemRegistryFixture() override {
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
      ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, it->first.c_str(), it->second ? KEY_WOW64_32KEY : KEY_WOW64_64KEY, 0);
    }
  }

  void AddRuntime(const WideString& vendorKey, const WideString& version, const WideString& javaHome,
                  bool view32) override {
    Create(vendorKey.substr(0, vendorKey.size() - 1), view32);
    HKEY key = Create(vendorKey + version, view32);
    ::RegSetValueExW(key, L"JavaHome", 0, REG_SZ, reinterpret_cast<const BYTE*>(javaHome.c_str()),
                     static_cast<DWORD>((javaHome.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
  }

  Registry& View() override { return SystemRegistry(); }

 private:
  // Creates every missing key on the path, remembering the ones it made.
  HKEY Create(const WideString& path, bool view32) {
    HKEY key = nullptr;
    for (size_t end = path.find(L'\\');; end = path.find(L'\\', end + 1)) {
      WideString part = path.substr(0, end);
      if (key) ::RegCloseKey(key);
      DWORD disposition = 0;
      ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, part.c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS | (view32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY), nullptr, &key, &disposition);
      if (disposition == REG_CREATED_NEW_KEY) created_.emplace_back(part, view32);
      if (end == WideString::npos) return key;
    }
  }

  std::vector<std::pair<WideString, bool>> created_;
};

}  // namespace

std::vector<RegistryFixtureKind> RegistryFixtureKinds() {
  return {{"Fake", &MakeFakeRegistryFixture},
          {"SystemRegistry", [] { return std::unique_ptr<RegistryFixture>(new SystemRegistryFixture()); }}};
}

}  // namespace test
