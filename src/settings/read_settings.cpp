#include "settings/read_settings.h"

#include "common/split_list.h"
#include "common/text.h"
#include "settings/settings_file_check.h"
#include "settings/settings_keys.h"
#include "settings/settings_paths.h"
#include "settings/settings_readers.h"
#include "settings/settings_values.h"
#include "settings/user_options.h"

namespace launcher::settings {

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

// "Restart Exit Codes", a ";" list; an entry that is no exit code is named in
// the trace and left out, the others still count.
std::vector<int32_t> ReadRestartExitCodes(const LayeredReader& layered) {
  std::vector<int32_t> codes;
  for (const WideString& entry :
       SplitList(layered.ReadLayered(keys::kApplicationSection, keys::kRestartExitCodes), L";")) {
    if (const std::optional<int32_t> code = ParseExitCode(entry)) {
      codes.push_back(*code);
    } else if (!TrimWhiteSpace(entry).empty()) {
      TraceLine(layered.trace, "setting-ignored")
          .Text("key", keys::kRestartExitCodes)
          .Text("entry", entry)
          .Sentence("not a whole number that an exit code can be")
          .Write();
    }
  }
  return codes;
}

ApplicationSettings ReadApplication(const LayeredReader& layered, const WideString& mainClass) {
  auto read = [&layered](const wchar_t* key) { return layered.ReadLayered(keys::kApplicationSection, key); };
  ApplicationSettings application;
  application.mainClass = ReplaceAll(mainClass, L'.', L'/');
  application.failureCheck = IsYes(read(keys::kFailureCheck));
  application.overrideWorkingFolder = IsYes(read(keys::kOverrideWorkingDir));
  application.cmd = read(keys::kCmd);
  application.appUserModelId = ReadAppUserModelId(layered);
  application.restartExitCodes = ReadRestartExitCodes(layered);
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

// Why a [Runtime Download] section is not used, in the trace.
void TraceDownloadIgnored(Trace& trace, std::string_view why) {
  TraceLine(trace, "runtime-download").Word("offer", "ignored").Sentence(why).Write();
}

// [Runtime Download] through the layered reader: the built-in settings and the
// settings file beside the executable, never the per-user file. Mirrors are
// read until the first number without a value. A section without an address
// or without a well-formed SHA-256 is ignored as a whole: without the hash
// nothing downloaded could be trusted.
std::optional<RuntimeDownloadSettings> ReadRuntimeDownload(const LayeredReader& layered) {
  auto read = [&layered](const WideString& key) { return layered.ReadLayered(keys::kDownloadSection, key); };
  RuntimeDownloadSettings download;
  for (WideString url = read(keys::kArchiveUrl); !url.empty();
       url = read(WideString(keys::kArchiveUrl) + L" " + std::to_wstring(download.archiveUrls.size() + 1))) {
    download.archiveUrls.push_back(url);
  }
  const WideString sha256 = read(keys::kArchiveSha256);
  const WideString size = read(keys::kArchiveSize);
  download.runtimeName = read(keys::kRuntimeName);
  download.offer = ParseRuntimeOffer(read(keys::kOffer));
  if (download.archiveUrls.empty() && sha256.empty()) return std::nullopt;
  std::optional<std::string> hex = ParseSha256Text(sha256);
  if (!hex) {
    TraceDownloadIgnored(layered.trace,
                         "[Runtime Download] has no well-formed \"Archive SHA-256\" (64 hexadecimal digits)");
    return std::nullopt;
  }
  if (download.archiveUrls.empty()) {
    TraceDownloadIgnored(layered.trace, "[Runtime Download] has no \"Archive URL\"");
    return std::nullopt;
  }
  download.sha256 = *hex;
  download.archiveSize = ParseByteCount(size);
  if (!size.empty() && !download.archiveSize) {
    TraceLine(layered.trace, "note")
        .Sentence("\"Archive Size\" is not a number of bytes; the download is not bounded by it")
        .Write();
  }
  return download;
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
  settings.runtimeDownload = ReadRuntimeDownload(layered);
  return settings;
}

}  // namespace launcher::settings
