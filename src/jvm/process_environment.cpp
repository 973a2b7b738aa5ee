#include "jvm/process_environment.h"

#include "discovery/runtime_folder.h"
#include "launcher/launcher.h"
#include "launcher/module_location.h"
#include "platform/code_page.h"
#include "platform/environment.h"
#include "platform/path_syntax.h"

namespace {

const wchar_t kListSeparator = platform::kPathListSeparator;

WideString SearchPathReference() { return WideString(L"%") + platform::kSearchPathVariable + L"%"; }

// The setting, then the executable's folder, the current folder, the search path
// and the runtime's lib folder.
void AddLibraryPathOption(Launcher& launcher, const WideString& runtimeHome) {
  WideString executableFolder;
  GetModuleFolder(launcher, executableFolder);
  WideString composed = launcher.libraryPathSetting;
  if (composed.back() != kListSeparator) composed += kListSeparator;
  composed += executableFolder + kListSeparator + L"." + kListSeparator + SearchPathReference() + kListSeparator +
              runtimeHome + platform::kPathSeparator + L"lib";
  launcher.libraryPathSetting = platform::ExpandEnvironmentReferences(composed);
  launcher.jvmOptions.push_back(platform::ToAnsi(L"-Djava.library.path=" + launcher.libraryPathSetting));
}

void ExtendSearchPath(const Launcher& launcher, const WideString& runtimeHome) {
  WideString path = launcher.systemPathSetting;
  if (!path.empty() && path.back() != kListSeparator) path += kListSeparator;
  path += SearchPathReference() + kListSeparator + runtimeHome + platform::kPathSeparator + L"bin";
  platform::SetEnvironmentValue(platform::kSearchPathVariable, platform::ExpandEnvironmentReferences(path));
}

}  // namespace

void PrepareEnvironment(Launcher& launcher) {
  const WideString home = RuntimeHomeOf(launcher.jvmLibraryPath);
  platform::SetEnvironmentValue(L"QX_JVM_PATH", launcher.jvmLibraryPath);
  platform::SetEnvironmentValue(L"QX_JVM_HOME", home);
  if (!launcher.libraryPathSetting.empty()) AddLibraryPathOption(launcher, home);
  ExtendSearchPath(launcher, home);
}
