#include "settings/settings_file_check.h"

#include <optional>

#include "platform/files.h"

namespace launcher::settings {

SettingsFileCheck CheckSettingsFile(const WideString& path) {
  const std::optional<uint64_t> size = platform::RegularFileSize(path);
  if (!size) return SettingsFileCheck::NoFile;
  return *size > (kLargestSettingsFileMegabytes << 20) ? SettingsFileCheck::TooLarge : SettingsFileCheck::Readable;
}

}  // namespace launcher::settings
