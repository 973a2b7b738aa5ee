#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "brand/brand_result.h"
#include "settings/settings_file_check.h"

namespace launcher::brand {

// The most the launcher reads of settings: larger text is refused.
inline constexpr uint64_t kLargestSettingsBytes = settings::kLargestSettingsFileMegabytes << 20;

enum class LineEnds { Kept, MadeCrLf };

// Built-in settings ready to store: the bytes, with every line ending in
// CR LF, and what a publisher should hear about them.
struct CheckedSettings {
  std::string bytes;
  LineEnds lineEnds = LineEnds::Kept;
  std::vector<std::string> notices;  // "line N: ..." sentences in UTF-8
};

// Settings bytes checked as the launcher will read them: text in UTF-8 (a
// byte-order mark allowed) or UTF-16LE with its byte-order mark, no NUL, at
// most 2 MB. A line ending in LF alone gets its CR, since the launcher splits
// built-in settings at CR LF only; every other byte is kept.
BrandResult<CheckedSettings> CheckSettingsBytes(std::string_view bytes);

}  // namespace launcher::brand
