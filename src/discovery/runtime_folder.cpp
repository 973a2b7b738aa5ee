#include "discovery/runtime_folder.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/runtime_layout.h"

namespace launcher::discovery {

namespace {

const WideString kServer = L"server";
const WideStringList kDefaultOrder = {L"client", L"classic", L"hotspot", L"server", L"jrockit"};

WideStringList VmFolders(settings::JvmTypeMode mode) {
  switch (mode) {
    case settings::JvmTypeMode::Server:
      return {kServer};
    case settings::JvmTypeMode::FavorServer: {
      WideStringList order{kServer};
      order.insert(order.end(), kDefaultOrder.begin(), kDefaultOrder.end());
      return order;
    }
    case settings::JvmTypeMode::Default:
      break;
  }
  return kDefaultOrder;
}

bool EndsWith(const WideString& text, const WideString& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

WideString LocateJvmLibrary(const WideString& home, settings::JvmTypeMode mode, bool& server) {
  for (const WideString& vm : VmFolders(mode)) {
    for (const WideString& subPath : platform::JvmLibrarySubPaths(vm)) {
      if (platform::FileExists(home + subPath)) {
        server = vm == kServer;
        return home + subPath;
      }
    }
  }
  return {};
}

bool FolderExists(const WideString& folder) {
  if (folder.empty()) return false;
  // Listing it works for a drive's root too, which has no entry of its own.
  return platform::FindFiles(platform::WithTrailingSeparator(folder) + L"*").has_value();
}

bool HasJavaLibrary(const WideString& folder) {
  const WideStringList markers = platform::JavaLibraryMarkers();
  return std::any_of(markers.begin(), markers.end(),
                     [&](const WideString& marker) { return platform::FileExists(folder + marker); });
}

WideString FindPrivateRuntime(const WideString& launcherFolder) {
  if (HasJavaLibrary(launcherFolder)) return launcherFolder;
  const WideString privateRuntime = launcherFolder + platform::kPrivateRuntimeFolder;
  return HasJavaLibrary(privateRuntime) ? privateRuntime : WideString();
}

WideString RuntimeHomeOf(const WideString& jvmLibraryPath) {
  for (const WideString& vm : VmFolders(settings::JvmTypeMode::FavorServer)) {
    for (const WideString& subPath : platform::JvmLibrarySubPaths(vm)) {
      if (EndsWith(jvmLibraryPath, subPath) && jvmLibraryPath.size() > subPath.size() &&
          platform::IsPathSeparator(jvmLibraryPath[jvmLibraryPath.size() - subPath.size() - 1])) {
        return jvmLibraryPath.substr(0, jvmLibraryPath.size() - subPath.size() - 1);
      }
    }
  }
  // Not a known layout: the home is three folders up (the file, its VM folder, bin).
  return platform::ParentOf(platform::ParentOf(platform::ParentOf(jvmLibraryPath)));
}

}  // namespace launcher::discovery
