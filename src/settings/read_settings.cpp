#include "settings/read_settings.h"

#include "common/split_list.h"
#include "common/text.h"
#include "settings/settings_file_check.h"
#include "settings/settings_keys.h"
#include "settings/settings_paths.h"
#include "settings/settings_readers.h"
#include "settings/settings_values.h"
#include "settings/user_options.h"

namespace {

bool IsYes(const WideString& value) { return EqualsIgnoringCase(value, L"Yes"); }

ProductSettings ReadProduct(const PlainReader& plain, const LayeredReader& layered) {
  ProductSettings product;
  product.code = plain.ReadPlain(keys::kProductSection, keys::kProductCode);
  product.name = plain.ReadPlain(keys::kProductSection, keys::kProductName);
  product.serviceMode = layered.ReadLayered(keys::kApplicationSection, keys::kApplicationType) == L"service";
  product.pairProduct = layered.ReadLayered(keys::kApplicationSection, keys::kPairProduct);
  product.pairReturnCode = IsYes(layered.ReadLayered(keys::kApplicationSection, keys::kPairReturnCode));
  return product;
}

// "JRE Path" comes from the per-user file when that applies and exists, else
// from the settings file through the layered reader.
WideString ReadJrePath(const ProductSettings& product, const WideString& executablePath, const LayeredReader& layered) {
  if (PerUserSettingsApply(product)) {
    WideString perUser = PerUserSettingsPathOf(product, executablePath, false);
    const bool readable = CheckSettingsFile(perUser) == SettingsFileCheck::Readable;
    TraceLine(layered.trace, "per-user-file").Text("path", perUser).Flag("found", readable).Write();
    if (readable) {
      return PlainReader{platform::IniFile::Open(perUser), layered.trace, SettingLayer::PerUserFile}.ReadPlain(
          keys::kRuntimeSection, keys::kJrePath);
    }
  }
  return layered.ReadLayered(keys::kRuntimeSection, keys::kJrePath);
}

// The bounds as the runtime search will apply them; an upper bound without a
// version (absent, empty or no digit) is 0.0.0.0, which almost nothing meets.
void TraceBounds(Trace& trace, const RuntimeRequirements& runtime) {
  TraceLine(trace, "version-bounds")
      .Version("minimum", runtime.minimum)
      .Version("maximum", runtime.maximum)
      .Flag("maximum-given", runtime.maximum.runCount != 0)
      .Write();
}

RuntimeRequirements ReadRuntime(const LayeredReader& layered, const ProductSettings& product,
                                const WideString& executablePath) {
  auto read = [&layered](const wchar_t* key) { return layered.ReadLayered(keys::kRuntimeSection, key); };
  RuntimeRequirements runtime;
  runtime.minimum = ParseLowerBound(read(keys::kMinimumVersion));
  runtime.maximum = ParseUpperBound(read(keys::kMaximumVersion));
  runtime.preferredVersions = SplitList(read(keys::kPreferredVersions), L";");
  runtime.jrePath = ReadJrePath(product, executablePath, layered);
  runtime.jvmType = ParseJvmType(read(keys::kJvmType));
  runtime.source = ParseSourcePolicy(read(keys::kJvmSource));
  runtime.vendor = ParseVendorPolicy(read(keys::kVmProvider));
  TraceBounds(layered.trace, runtime);
  return runtime;
}

// An id the taskbar would refuse or misread is left out, with the reason.
WideString ReadAppUserModelId(const LayeredReader& layered) {
  WideString id = layered.ReadLayered(keys::kApplicationSection, keys::kAppUserModelId);
  if (id.empty()) return id;
  if (const char* fault = AppUserModelIdFault(id)) {
    TraceLine(layered.trace, "app-user-model-id").Text("ignored", id).Sentence(fault).Write();
    return {};
  }
  return id;
}

ApplicationSettings ReadApplication(const LayeredReader& layered, const WideString& mainClass) {
  auto read = [&layered](const wchar_t* key) { return layered.ReadLayered(keys::kApplicationSection, key); };
  ApplicationSettings application;
  application.mainClass = ReplaceAll(mainClass, L'.', L'/');
  application.failureCheck = IsYes(read(keys::kFailureCheck));
  application.overrideWorkingDirectory = IsYes(read(keys::kOverrideWorkingDir));
  application.cmd = read(keys::kCmd);
  application.appUserModelId = ReadAppUserModelId(layered);
  return application;
}

StreamSetting ReadStream(const LayeredReader& layered, const wchar_t* fileKey, const wchar_t* appendKey) {
  return {layered.ReadLayered(keys::kApplicationSection, fileKey),
          layered.ReadLayered(keys::kApplicationSection, appendKey) == L"yes"};
}

// The splash keys come from the settings file alone: the built-in settings
// and "Display+" play no part.
SplashSettings ReadSplash(const PlainReader& plain) {
  auto read = [&plain](const wchar_t* key) { return plain.ReadPlain(keys::kDisplaySection, key); };
  return {read(keys::kSplashScreen), read(keys::kSplashScreenShadow) == L"true",
          IsYes(read(keys::kPreferNativeSplashScreen))};
}

// The user's options file lies beside the per-user settings file; service
// mode, which runs for no user in particular, reads none.
WideStringList ReadUserJvmOptions(const LayeredReader& layered, const ProductSettings& product,
                                  const WideString& executablePath) {
  if (!PerUserSettingsApply(product)) return {};
  const UserOptionsPolicy policy =
      ParseUserOptionsPolicy(layered.ReadLayered(keys::kRuntimeSection, keys::kUserOptions));
  return ReadUserOptions(UserOptionsPathBeside(PerUserSettingsPathOf(product, executablePath, false)), policy,
                         layered.trace);
}

// Service mode never uses single instance, so the key is not even read then.
InstanceSettings ReadInstance(const LayeredReader& layered, const ProductSettings& product) {
  if (product.serviceMode) return {};
  return {layered.ReadLayered(keys::kApplicationSection, keys::kSingleInstance) == L"yes"};
}

}  // namespace

Result<LauncherSettings> ReadSettings(const ExecutableLocation& executable,
                                      const std::optional<WideString>& builtinText, Trace& trace) {
  if (!executable.settingsFile) {
    TraceLine(trace, "settings-file").Sentence("none: the executable's file name gives no settings file").Write();
    return LaunchError::Silent();
  }
  const WideString& path = *executable.settingsFile;
  const SettingsFileCheck check = CheckSettingsFile(path);
  TraceLine(trace, "settings-file").Text("path", path).Flag("found", check != SettingsFileCheck::NoFile).Write();
  if (check == SettingsFileCheck::TooLarge) {
    return LaunchError{StringId::kSettingsFileTooLarge, {path, static_cast<int32_t>(kLargestSettingsFileMegabytes)}};
  }
  TraceLine(trace, "built-in-settings").Flag("found", builtinText.has_value()).Write();
  // One reading of the file serves both readers.
  const platform::IniFile file =
      check == SettingsFileCheck::Readable ? platform::IniFile::Open(path) : platform::IniFile();
  const PlainReader plain{file, trace, SettingLayer::SettingsFile};
  const LayeredReader layered{file, builtinText ? ParseBuiltinSettings(*builtinText) : BuiltinSettings(), trace};

  LauncherSettings settings;
  settings.product = ReadProduct(plain, layered);
  settings.runtime = ReadRuntime(layered, settings.product, executable.path);
  WideString mainClass = layered.ReadLayered(keys::kApplicationSection, keys::kMainClass);
  if (mainClass.empty()) return LaunchError{StringId::kMainClassMissing, {}};
  settings.application = ReadApplication(layered, mainClass);
  settings.environment = {layered.ReadLayered(keys::kRuntimeSection, keys::kSystemPath),
                          layered.ReadLayered(keys::kRuntimeSection, keys::kLibraryPath)};
  settings.classPath = {layered.ReadLayered(keys::kClassPathSection, keys::kClassPath),
                        IsYes(layered.ReadLayered(keys::kApplicationSection, keys::kEmbeddedJar))};
  settings.vmParameters = layered.ReadLayered(keys::kRuntimeSection, keys::kVmParameters);
  settings.userJvmOptions = ReadUserJvmOptions(layered, settings.product, executable.path);
  settings.startupCache.enabled = IsYes(layered.ReadLayered(keys::kRuntimeSection, keys::kStartupCache));
  settings.output = {ReadStream(layered, keys::kOutputFile, keys::kOutputAppend),
                     ReadStream(layered, keys::kErrorFile, keys::kErrorAppend)};
  settings.splash = ReadSplash(plain);
  settings.instance = ReadInstance(layered, settings.product);
  return settings;
}
