#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "brand/brand_result.h"

namespace launcher::brand {

// The contents of a VS_VERSIONINFO resource: the fixed numbers and one string
// table (language 0x0409, code page 1200, as "040904B0").
using FourPartVersion = std::array<uint16_t, 4>;

struct VersionInfo {
  FourPartVersion fileVersion{};
  FourPartVersion productVersion{};
  std::vector<std::pair<std::u16string, std::u16string>> strings;  // name, value; in the order written

  // The value of a string, or nullopt.
  std::optional<std::u16string> Find(std::u16string_view name) const;
  // Sets a string: replaces its value, or adds it.
  void Set(std::u16string_view name, std::u16string value);
};

// "A.B.C.D", each part a decimal number 0-65535.
BrandResult<FourPartVersion> ParseFourPartVersion(std::string_view text);
std::string FormatFourPartVersion(const FourPartVersion& version);

// Reads the fixed numbers and the strings of the first string table; a
// resource that is not a version resource reads as nullopt.
std::optional<VersionInfo> ParseVersionInfo(std::string_view resource);

// The resource: the fixed part (an application for Windows NT), the strings in
// the order of the well-known names first, then any others in their order,
// and the translation 0x0409/1200. Empty strings are left out. Each block
// gives its length in 16 bits: strings too long for that are refused, never
// written with a length that wrapped.
inline constexpr size_t kLargestVersionInfo = 0xFFFF;
BrandResult<std::string> BuildVersionInfo(const VersionInfo& info);

}  // namespace launcher::brand
