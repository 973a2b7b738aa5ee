#include "launcher/settings_file.h"

#include "launcher/launcher.h"
#include "launcher/messages.h"
#include "launcher/module_location.h"
#include "launcher/settings_paths.h"
#include "launcher/settings_values.h"
#include "launcher/split_list.h"
#include "launcher/text.h"
#include "platform/file_system.h"
#include "platform/system_version.h"
#include "platform/user_folders.h"

namespace {

const WideString kRuntimeSection = L"Java Runtime Environment";
const WideString kApplicationSection = L"Application";

// "JRE Path" comes from the per-user file when that applies and exists, else
// from the settings file through the layered reader.
WideString ReadJrePath(Launcher& launcher, const WideString& modulePath, const LayeredReader& settings) {
  if (PerUserSettingsApply(launcher)) {
    WideString perUser = PerUserSettingsPathOf(launcher, modulePath, false);
    if (platform::FileExists(perUser)) return PlainReader{perUser}.ReadPlain(kRuntimeSection, L"JRE Path");
  }
  return settings.ReadLayered(kRuntimeSection, L"JRE Path");
}

}  // namespace

LayeredReader MakeLayeredReader(const Launcher& launcher, const WideString& settingsPath) {
  std::optional<WideString> builtin = launcher.host.builtinSettingsText();
  return LayeredReader{settingsPath, builtin ? ParseBuiltinSettings(*builtin) : BuiltinSettings()};
}

bool PerUserSettingsApply(const Launcher& launcher) { return platform::IsNtFamily() && !launcher.serviceMode; }

WideString PerUserSettingsPathOf(const Launcher& launcher, const WideString& executablePath, bool createFolders) {
  return PerUserSettingsPath(platform::UserConfigurationFolder(), launcher.productName, launcher.productCode,
                             executablePath, createFolders);
}

bool ReadSettings(Launcher& launcher) {
  WideString modulePath;
  if (!GetModulePath(launcher, modulePath)) return false;
  std::optional<WideString> path = SettingsPathFor(modulePath);
  if (!path) return false;

  PlainReader plain{*path};
  launcher.productCode = plain.ReadPlain(L"Product Information", L"Product Code");
  launcher.productName = plain.ReadPlain(L"Product Information", L"Product Name");

  LayeredReader settings = MakeLayeredReader(launcher, *path);
  launcher.minimumVersion = ParseLowerBound(settings.ReadLayered(kRuntimeSection, L"Minimum Version"));
  launcher.maximumVersion = ParseUpperBound(settings.ReadLayered(kRuntimeSection, L"Maximum Version"));
  launcher.serviceMode = settings.ReadLayered(kApplicationSection, L"Application Type") == L"service";
  launcher.preferredVersions = SplitList(settings.ReadLayered(kRuntimeSection, L"Preferred versions"), L";");
  launcher.jrePathSetting = ReadJrePath(launcher, modulePath, settings);
  launcher.jvmTypeMode = ParseJvmType(settings.ReadLayered(kRuntimeSection, L"JVM Type"));
  ApplyJvmSource(settings.ReadLayered(kRuntimeSection, L"JVM Source"), launcher);
  ApplyVmProvider(settings.ReadLayered(kRuntimeSection, L"VM Provider"), launcher);

  WideString mainClass = settings.ReadLayered(kApplicationSection, L"Main Class");
  if (mainClass.empty()) {
    ShowError(launcher.host.ui, launcher.splashWindow, StringId::kMainClassMissing);
    return false;
  }
  launcher.mainClassName = ReplaceAll(mainClass, L'.', L'/');

  launcher.failureCheck = EqualsIgnoringCase(settings.ReadLayered(kApplicationSection, L"Failure Check"), L"Yes");
  launcher.overrideWorkingDirectory =
      EqualsIgnoringCase(settings.ReadLayered(kApplicationSection, L"Override WorkingDir"), L"Yes");
  launcher.systemPathSetting = settings.ReadLayered(kRuntimeSection, L"System Path");
  launcher.libraryPathSetting = settings.ReadLayered(kRuntimeSection, L"Library Path");
  launcher.pairProduct = settings.ReadLayered(kApplicationSection, L"Pair Product");
  launcher.pairReturnCode = EqualsIgnoringCase(settings.ReadLayered(kApplicationSection, L"Pair Return Code"), L"Yes");
  return true;
}
