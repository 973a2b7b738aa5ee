#pragma once

#include <optional>

#include "brand/brand_result.h"
#include "brand/image_branding.h"
#include "platform/wide_string.h"

namespace launcher::brand {

// What the command line asks for.
enum class SettingsStrictness { Warn, Refuse };

struct BrandOptions {
  bool show = false;
  WideString input;
  WideString output;
  std::optional<WideString> settingsFile;
  std::optional<WideString> iconFile;
  SettingsStrictness strictness = SettingsStrictness::Warn;
  bool originalFilenameGiven = false;
  BrandRequest request;  // all but the settings and icon, which are files still to read
};

// Reads "[options] INPUT OUTPUT" or "--show FILE" (the program name left out).
BrandResult<BrandOptions> ParseBrandOptions(const WideStringList& arguments);

extern const char kBrandUsage[];

}  // namespace launcher::brand
