#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "brand/brand_result.h"
#include "settings/settings_file_check.h"

namespace brand {

// The most the launcher reads of settings: larger text is refused.
inline constexpr uint64_t kLargestSettingsBytes = kLargestSettingsFileMegabytes << 20;

// Built-in settings bytes checked as the launcher will read them: text in
// UTF-8 (a byte-order mark allowed) or UTF-16LE with its byte-order mark, no
// NUL, at most 2 MB. On success, the notices of CheckBuiltinSettings as
// "line N: ..." sentences in UTF-8.
BrandResult<std::vector<std::string>> CheckSettingsBytes(std::string_view bytes);

}  // namespace brand
