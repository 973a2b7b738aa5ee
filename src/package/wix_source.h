#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "package/package_options.h"

namespace launcher::package {

// A GUID (upper case, in braces) that depends on the seed alone: an installer
// built twice from the same inputs carries the same codes.
using GuidOf = std::function<std::string(std::string_view seed)>;

// The codes Windows Installer knows a package by: the product code is one
// version of the product; the package code is one build of its installer,
// which changes with the files it holds.
struct InstallerCodes {
  std::string product;
  std::string package;
};

InstallerCodes CodesOf(const ProductFacts& product, std::string_view contentDigest, const GuidOf& guidOf);

struct WixInput {
  const ProductFacts& product;
  InstallerCodes codes;
  std::string exeName;             // the program, at the top of the install folder
  std::vector<std::string> paths;  // every other file, '/'-separated, sorted
  std::string sourceFolder;        // where wixl finds them, relative to its working folder
};

// The WiX source of the installer: the files under the install folder, a
// Start-menu shortcut, the uninstall entry's icon, a major upgrade over any
// version with the same upgrade code, and the optional file association.
std::string WixSource(const WixInput& input, const GuidOf& guidOf);

}  // namespace launcher::package
