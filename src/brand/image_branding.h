#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "brand/brand_result.h"
#include "brand/icon_file.h"
#include "brand/manifest_level.h"
#include "brand/version_info.h"
#include "resource_ids.h"

namespace launcher::brand {

// An input that carries a certificate table: refused, or the table removed.
enum class SignaturePolicy { Refuse, Strip };

// What to change in a launcher image; what is not given stays as it is.
struct BrandRequest {
  std::optional<std::string> settings;  // the built-in settings' bytes, stored as they are
  std::optional<std::vector<IconImage>> icon;
  std::optional<FourPartVersion> fileVersion;
  std::optional<FourPartVersion> productVersion;
  std::vector<std::pair<std::u16string, std::u16string>> versionStrings;  // name, value
  std::optional<ExecutionLevel> executionLevel;
  std::optional<uint16_t> subsystem;
  SignaturePolicy signature = SignaturePolicy::Refuse;
};

// The image with its resource section rebuilt from the request: the sections
// after it (only the base relocations may follow) move with it, the headers
// that describe the section's size and place follow, the certificate table
// goes when stripped, and the checksum is recomputed. Every other byte stays.
BrandResult<std::string> BrandImage(std::string_view input, const BrandRequest& request);

// The resource id of the launcher's icon group and the name of its built-in
// settings, as the launcher's own resources (resource_ids.h) name them, and
// the language its resource script gives them.
inline constexpr uint16_t kLauncherIconGroup = IDI_LAUNCHER;
inline constexpr char16_t kSettingsResourceName[] = u"" BUILTIN_SETTINGS_RESOURCE_NAME;
inline constexpr uint16_t kResourceLanguage = 0x0409;

}  // namespace launcher::brand
