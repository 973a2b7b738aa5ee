#pragma once

#include <optional>
#include <string>

#include "platform/expected.h"
#include "platform/wide_string.h"

namespace launcher::package {

// Why packaging cannot go on: a sentence for the publisher, in UTF-8.
struct PackageError {
  std::string message;
};

template <typename T>
using PackageResult = platform::Expected<T, PackageError>;

// Who an installer installs for: the user who runs it (no administrator
// rights, files under the user's profile) or every user of the machine.
enum class InstallScope { PerUser, PerMachine };

// The product's facts, checked: each is used as the installer needs it.
struct ProductFacts {
  std::string name;         // the folder, shortcut and uninstall entry's name
  std::string version;      // one to three numbers: major.minor.build
  std::string publisher;    // the uninstall entry's publisher
  std::string upgradeCode;  // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}, upper case
  InstallScope scope = InstallScope::PerUser;
  std::string association;  // ".ext" the program opens, or empty
};

struct PackageOptions {
  WideString exe;
  std::optional<WideString> files;  // the application's folder
  ProductFacts product;
  std::optional<WideString> zip;
  std::optional<WideString> msi;
};

extern const char kPackageUsage[];

PackageResult<PackageOptions> ParsePackageOptions(const WideStringList& arguments);

}  // namespace launcher::package
