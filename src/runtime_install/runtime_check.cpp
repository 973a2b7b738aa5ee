#include "runtime_install/runtime_check.h"

#include "discovery/candidate_verdict.h"
#include "discovery/library_machine.h"
#include "discovery/runtime_folder.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/runtime_layout.h"
#include "platform/text.h"

namespace launcher::runtime_install {
namespace {

// The archive's single top folder, or the folder itself when the archive
// holds several entries at its top (or a single file).
WideString HomeIn(const WideString& folder) {
  platform::SystemResult<std::vector<platform::FolderEntry>> entries = platform::ListFolder(folder);
  if (entries && entries->size() == 1 && (*entries)[0].type == platform::EntryType::Folder) {
    return platform::WithTrailingSeparator(folder) + (*entries)[0].name;
  }
  return folder;
}

}  // namespace

platform::Expected<UnpackedRuntime, std::string> CheckUnpackedRuntime(
    const WideString& folder, const settings::RuntimeRequirements& requirements) {
  UnpackedRuntime runtime;
  runtime.home = HomeIn(folder);
  bool server = false;
  runtime.jvmLibrary =
      discovery::LocateJvmLibrary(platform::WithTrailingSeparator(runtime.home), requirements.jvmType, server);
  if (runtime.jvmLibrary.empty()) return discovery::NoJvmLibrary(requirements.jvmType);
  if (discovery::IsI386LibraryFile(runtime.jvmLibrary))
    return std::string("a 32-bit JVM library, which this launcher cannot load");
  if (discovery::IsForeignLibraryFile(runtime.jvmLibrary))
    return std::string("a JVM library for another machine, which this launcher cannot load");
  const std::optional<WideString> version = platform::ReleaseFileValue(
      platform::ReadReleaseFile(platform::WithTrailingSeparator(runtime.home)), "JAVA_VERSION");
  if (!version || !runtime.version.Parse(*version, JavaVersion::kLowFill)) {
    return std::string("no version (JAVA_VERSION) in its \"release\" file");
  }
  runtime.versionText = platform::ToUtf8(*version);
  if (std::optional<std::string> outside = discovery::OutsideBounds(runtime.version, requirements)) {
    return "version " + runtime.versionText + " is " + *outside;
  }
  return runtime;
}

}  // namespace launcher::runtime_install
