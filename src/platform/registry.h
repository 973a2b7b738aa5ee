#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/wide_string.h"

namespace launcher::platform {

// One open registry key.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;

  // The name of the subkey at index (RegEnumKeyExW); nullopt from the first index
  // that does not answer with success.
  virtual std::optional<WideString> SubkeyName(uint32_t index) = 0;

  // A value's data read as UTF-16 text up to its first NUL, whatever its type;
  // nullopt when it cannot be read or holds 0 bytes.
  virtual std::optional<WideString> TextValue(const WideString& name) = 0;
};

// The two trees that runtimes register in: for every user of the machine, and
// for the current user (per-user installs).
enum class RegistryHive { LocalMachine, CurrentUser };

// The registry as the runtime search sees it: keys named with backslashes,
// opened for reading in the ordinary or the 32-bit view.
class Registry {
 public:
  virtual ~Registry() = default;
  virtual std::unique_ptr<RegistryKey> OpenKey(RegistryHive hive, const WideString& path, bool view32) = 0;

  // A key under HKEY_LOCAL_MACHINE.
  std::unique_ptr<RegistryKey> OpenMachineKey(const WideString& path, bool view32) {
    return OpenKey(RegistryHive::LocalMachine, path, view32);
  }
};

// The Win32 registry on Windows; on POSIX the runtimes installed on the system,
// presented under the keys a Windows installer would register them at.
Registry& SystemRegistry();

// POSIX only: a registry view of the Java runtimes installed as folders of root
// (on Debian, /usr/lib/jvm): every real folder once, links followed. A folder
// whose "jre/" is a runtime (an old JDK) appears under "Software\JavaSoft\Java
// Development Kit\", every other runtime under "Software\JavaSoft\Java Runtime
// Environment\"; the subkey is the JAVA_VERSION of the folder's "release" file
// and its "JavaHome" the folder. The 32-bit view and the current user's tree
// are empty. SystemRegistry is the view of /usr/lib/jvm.
std::unique_ptr<Registry> MakeInstalledRuntimesRegistry(const WideString& root);

}  // namespace launcher::platform
