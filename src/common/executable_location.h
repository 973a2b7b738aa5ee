#pragma once

#include <optional>

#include "common/launch_error.h"
#include "platform/expected.h"
#include "platform/wide_string.h"

namespace launcher {

// Where the running executable lies, asked of the system once per start.
struct ExecutableLocation {
  WideString path;                         // full path of the executable
  WideString folder;                       // its folder, with the trailing separator
  std::optional<WideString> settingsFile;  // none when the file name gives no settings file
};

// The location from the system's answer (the executable's path); when the
// system could not tell the path, the error is message 202 with 208 and the
// system's code.
Result<ExecutableLocation> LocateExecutable(const platform::SystemResult<WideString>& modulePath);

// The settings file of an executable: its path with the extension of its file
// name replaced by "ini" (tool.beta.exe: tool.beta.ini). A file name without "."
// has none on Windows; on POSIX it gets ".ini" appended.
std::optional<WideString> SettingsPathFor(const WideString& executablePath);

}  // namespace launcher
