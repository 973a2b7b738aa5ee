#pragma once

#include <cstdint>

#include "platform/wide_string.h"

namespace launcher::settings {

// Whether a settings file can be read. Only a regular file is: anything else in
// its place (a folder, a FIFO, a device) reads as no file, since opening it may
// wait for ever or never end. A file above the size limit is refused: every
// value is looked up in the whole file, so a huge one would stall the start.
enum class SettingsFileCheck { Readable, NoFile, TooLarge };

inline constexpr uint64_t kLargestSettingsFileMegabytes = 2;

SettingsFileCheck CheckSettingsFile(const WideString& path);

}  // namespace launcher::settings
