#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/wide_string.h"
#include "settings/runtime_requirements.h"

namespace launcher::settings {

// Every setting of a start, read once, in groups by what they configure. Values
// are kept as written: environment references are expanded where they are used,
// after the launcher has set the runtime's variables.

struct ProductSettings {
  WideString name;         // "Product Name", a folder of the per-user path
  WideString code;         // "Product Code", likewise
  WideString pairProduct;  // "Pair Product": the companion launcher of the other bitness
  bool pairReturnCode = false;
  bool serviceMode = false;  // "Application Type" = "service"
};

struct ApplicationSettings {
  WideString mainClass;  // "/"-separated
  bool failureCheck = false;
  bool overrideWorkingFolder = false;
  WideString cmd;  // further arguments for main, split when the launch is planned
  // "App User Model ID": the taskbar's name for the application's windows; ""
  // when not set or not valid.
  WideString appUserModelId;
  // "Restart Exit Codes": the application ending with one of them is started
  // anew, in a new process.
  std::vector<int32_t> restartExitCodes;
};

struct ClassPathSettings {
  WideString entries;  // ";"-separated
  bool embeddedJar = false;
};

// A file that a standard stream of the application goes to; empty: not redirected.
struct StreamSetting {
  WideString file;
  bool append = false;
};

struct OutputSettings {
  StreamSetting output;
  StreamSetting error;
};

struct EnvironmentSettings {
  WideString systemPath;   // put in front of the search path
  WideString libraryPath;  // the start of the native library path
};

// The splash picture shown while the JVM starts.
struct SplashSettings {
  WideString picture;         // "Splash Screen": the picture file; empty: no splash
  bool shadow = false;        // "Splash Screen Shadow" is exactly "true"
  bool preferNative = false;  // "Preffer Native Splash Screen" is "Yes" (any case)
};

struct InstanceSettings {
  // "Single Instance" = "yes": a later start hands its arguments to the running
  // one. Never in service mode.
  bool singleInstance = false;
};

// "Start-up Cache" = "Yes": keep the application's classes ready for its next start.
struct StartupCacheSettings {
  bool enabled = false;
};

// "Offer" of [Runtime Download]: ask first (the default), install without
// asking, or never offer.
enum class RuntimeOffer { Ask, Auto, Off };

// The runtime archive the publisher pins, installed for the user when no
// runtime qualifies. Read from the built-in settings and the settings file
// beside the executable only, so that it stays under the publisher's control.
struct RuntimeDownloadSettings {
  WideStringList archiveUrls;           // "Archive URL", then "Archive URL 2", "Archive URL 3", ...
  std::string sha256;                   // "Archive SHA-256": 64 hexadecimal digits in lower case
  std::optional<uint64_t> archiveSize;  // "Archive Size" in bytes
  WideString runtimeName;               // "Runtime Name"; empty: a generic name is shown
  RuntimeOffer offer = RuntimeOffer::Ask;
};

struct LauncherSettings {
  ProductSettings product;
  RuntimeRequirements runtime;
  ApplicationSettings application;
  ClassPathSettings classPath;
  WideString vmParameters;
  // The user's own JVM options (the per-user ".options" file), as far as
  // "User Options" lets them through; they come after every other option.
  WideStringList userJvmOptions;
  StartupCacheSettings startupCache;
  OutputSettings output;
  EnvironmentSettings environment;
  SplashSettings splash;
  InstanceSettings instance;
  // Present only for a section with an address and a well-formed SHA-256.
  std::optional<RuntimeDownloadSettings> runtimeDownload;
};

}  // namespace launcher::settings
