#pragma once

namespace launcher::settings {

// Every section and key of the settings file, spelled once.
namespace keys {

inline constexpr const wchar_t* kProductSection = L"Product Information";
inline constexpr const wchar_t* kProductCode = L"Product Code";
inline constexpr const wchar_t* kProductName = L"Product Name";

inline constexpr const wchar_t* kRuntimeSection = L"Java Runtime Environment";
inline constexpr const wchar_t* kMinimumVersion = L"Minimum Version";
inline constexpr const wchar_t* kMaximumVersion = L"Maximum Version";
inline constexpr const wchar_t* kPreferredVersions = L"Preferred versions";
inline constexpr const wchar_t* kJrePath = L"JRE Path";
inline constexpr const wchar_t* kJvmType = L"JVM Type";
inline constexpr const wchar_t* kJvmSource = L"JVM Source";
inline constexpr const wchar_t* kVmProvider = L"VM Provider";
inline constexpr const wchar_t* kSystemPath = L"System Path";
inline constexpr const wchar_t* kLibraryPath = L"Library Path";
inline constexpr const wchar_t* kVmParameters = L"Virtual Machine Parameters";
inline constexpr const wchar_t* kStartupCache = L"Start-up Cache";
inline constexpr const wchar_t* kUserOptions = L"User Options";

inline constexpr const wchar_t* kApplicationSection = L"Application";
inline constexpr const wchar_t* kApplicationType = L"Application Type";
inline constexpr const wchar_t* kSingleInstance = L"Single Instance";
inline constexpr const wchar_t* kMainClass = L"Main Class";
inline constexpr const wchar_t* kFailureCheck = L"Failure Check";
inline constexpr const wchar_t* kOverrideWorkingDir = L"Override WorkingDir";
inline constexpr const wchar_t* kPairProduct = L"Pair Product";
inline constexpr const wchar_t* kPairReturnCode = L"Pair Return Code";
inline constexpr const wchar_t* kEmbeddedJar = L"Embedded Jar";
inline constexpr const wchar_t* kOutputFile = L"Output File";
inline constexpr const wchar_t* kOutputAppend = L"Output Append";
inline constexpr const wchar_t* kErrorFile = L"Error File";
inline constexpr const wchar_t* kErrorAppend = L"Error Append";
inline constexpr const wchar_t* kCmd = L"Cmd";
inline constexpr const wchar_t* kAppUserModelId = L"App User Model ID";
inline constexpr const wchar_t* kRestartExitCodes = L"Restart Exit Codes";

inline constexpr const wchar_t* kClassPathSection = L"Class Path";
inline constexpr const wchar_t* kClassPath = L"Class Path";

// The runtime archive offered when no runtime qualifies; mirrors are "Archive URL 2", "Archive URL 3", ...
inline constexpr const wchar_t* kDownloadSection = L"Runtime Download";
inline constexpr const wchar_t* kArchiveUrl = L"Archive URL";
inline constexpr const wchar_t* kArchiveSha256 = L"Archive SHA-256";
inline constexpr const wchar_t* kArchiveSize = L"Archive Size";
inline constexpr const wchar_t* kRuntimeName = L"Runtime Name";
inline constexpr const wchar_t* kOffer = L"Offer";

inline constexpr const wchar_t* kDisplaySection = L"Display";
inline constexpr const wchar_t* kSplashScreen = L"Splash Screen";
inline constexpr const wchar_t* kSplashScreenShadow = L"Splash Screen Shadow";
// Spelled as the settings files that publishers write spell it.
inline constexpr const wchar_t* kPreferNativeSplashScreen = L"Preffer Native Splash Screen";

}  // namespace keys

}  // namespace launcher::settings
