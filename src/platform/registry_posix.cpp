#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <iterator>
#include <optional>
#include <set>
#include <string>

#include "platform/files.h"
#include "platform/registry.h"
#include "platform/runtime_layout.h"
#include "platform/text.h"

namespace launcher::platform {

namespace {

namespace fs = std::filesystem;

const WideString kJdkKey = L"Software\\JavaSoft\\Java Development Kit\\";
const WideString kJreKey = L"Software\\JavaSoft\\Java Runtime Environment\\";

struct InstalledRuntime {
  WideString version;
  WideString home;
  bool jdk = false;  // an old JDK, whose "jre/" is the runtime
};

bool IsRuntime(const WideString& folder) {
  const WideStringList markers = JavaLibraryMarkers();
  return std::any_of(markers.begin(), markers.end(),
                     [&](const WideString& marker) { return FileExists(folder + marker); });
}

// JAVA_VERSION="17.0.2" of the release file; empty when there is none.
WideString ReleaseVersion(const fs::path& folder) {
  return ReleaseFileValue(ReadReleaseFile(FromUtf8(folder.string())), "JAVA_VERSION").value_or(WideString());
}

// The entries of a folder. The throwing increment of a range-for would end the
// process on a read error; here the listing ends there with what it has.
std::vector<fs::path> ListFolder(const std::string& root) {
  std::vector<fs::path> entries;
  std::error_code error;
  for (fs::directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
    entries.push_back(it->path());
  }
  return entries;
}

bool EqualsIgnoringCase(const WideString& a, const WideString& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
           return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
         });
}

class ListKey final : public RegistryKey {
 public:
  explicit ListKey(std::vector<InstalledRuntime> runtimes) : runtimes_(std::move(runtimes)) {}
  std::optional<WideString> SubkeyName(uint32_t index) override {
    if (index >= runtimes_.size()) return std::nullopt;
    return runtimes_[index].version;
  }
  std::optional<WideString> TextValue(const WideString&) override { return std::nullopt; }

 private:
  std::vector<InstalledRuntime> runtimes_;
};

class VersionKey final : public RegistryKey {
 public:
  explicit VersionKey(WideString home) : home_(std::move(home)) {}
  std::optional<WideString> SubkeyName(uint32_t) override { return std::nullopt; }
  std::optional<WideString> TextValue(const WideString& name) override {
    if (!EqualsIgnoringCase(name, L"JavaHome")) return std::nullopt;
    return home_;
  }

 private:
  WideString home_;
};

class InstalledRuntimesRegistry final : public Registry {
 public:
  explicit InstalledRuntimesRegistry(WideString root) : root_(std::move(root)) {}

  std::unique_ptr<RegistryKey> OpenKey(RegistryHive hive, const WideString& path, bool view32) override {
    if (view32 || hive != RegistryHive::LocalMachine) return nullptr;
    for (bool jdk : {true, false}) {
      const WideString& vendorKey = jdk ? kJdkKey : kJreKey;
      WideString prefix = path.substr(0, std::min(path.size(), vendorKey.size()));
      if (!EqualsIgnoringCase(prefix, vendorKey) &&
          !EqualsIgnoringCase(path, vendorKey.substr(0, vendorKey.size() - 1))) {
        continue;
      }
      std::vector<InstalledRuntime> runtimes;
      std::copy_if(Runtimes().begin(), Runtimes().end(), std::back_inserter(runtimes),
                   [jdk](const InstalledRuntime& runtime) { return runtime.jdk == jdk; });
      WideString subkey = path.size() > vendorKey.size() ? path.substr(vendorKey.size()) : WideString();
      if (!subkey.empty() && subkey.back() == L'\\') subkey.pop_back();
      if (subkey.empty()) return std::make_unique<ListKey>(std::move(runtimes));
      for (const InstalledRuntime& runtime : runtimes) {
        if (EqualsIgnoringCase(runtime.version, subkey)) return std::make_unique<VersionKey>(runtime.home);
      }
      return nullptr;
    }
    return nullptr;
  }

 private:
  // The folder is read once, at the first look: a search opens its keys
  // several times, and each reading resolves every entry's links.
  const std::vector<InstalledRuntime>& Runtimes() {
    if (!runtimes_) runtimes_ = Scan();
    return *runtimes_;
  }

  std::vector<InstalledRuntime> Scan() const {
    std::error_code error;
    std::vector<fs::path> folders = ListFolder(ToUtf8(root_));
    std::sort(folders.begin(), folders.end());
    std::set<fs::path> seen;
    std::vector<InstalledRuntime> runtimes;
    for (const fs::path& folder : folders) {
      fs::path real = fs::canonical(folder, error);
      if (error || !fs::is_directory(real, error) || !seen.insert(real).second) continue;
      WideString home = FromUtf8(real.string()) + L"/";
      const bool isJdk = IsRuntime(home + kJdkRuntimeFolder);
      if (!isJdk && !IsRuntime(home)) continue;
      WideString version = ReleaseVersion(real);
      if (!version.empty()) runtimes.push_back({.version = version, .home = FromUtf8(real.string()), .jdk = isJdk});
    }
    return runtimes;
  }

  WideString root_;
  std::optional<std::vector<InstalledRuntime>> runtimes_;
};

}  // namespace

std::unique_ptr<Registry> MakeInstalledRuntimesRegistry(const WideString& root) {
  return std::make_unique<InstalledRuntimesRegistry>(root);
}

Registry& SystemRegistry() {
  static std::unique_ptr<Registry> registry = platform::MakeInstalledRuntimesRegistry(L"/usr/lib/jvm");
  return *registry;
}

}  // namespace launcher::platform
