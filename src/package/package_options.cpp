#include "package/package_options.h"

#include <algorithm>
#include <cctype>

#include "platform/paths.h"
#include "platform/text.h"

namespace launcher::package {

namespace {

PackageError Usage(const std::string& why) { return {why + "\n" + kPackageUsage}; }

bool IsHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// A GUID in registry form, braces optional on input; upper case with braces out.
std::optional<std::string> CanonicalGuid(std::string text) {
  if (text.size() == 38 && text.front() == '{' && text.back() == '}') text = text.substr(1, 36);
  if (text.size() != 36) return std::nullopt;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
    if (dash ? text[i] != '-' : !IsHex(text[i])) return std::nullopt;
    text[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
  }
  return "{" + text + "}";
}

// Windows Installer compares major.minor.build (at most 255.255.65535) and
// ignores a fourth field, so a version that differs only there would never
// upgrade: such versions are refused rather than shipped.
std::optional<std::string> VersionFault(const std::string& version) {
  const unsigned long limits[] = {255, 255, 65535};
  size_t start = 0;
  for (size_t field = 0;; ++field) {
    const size_t end = std::min(version.find('.', start), version.size());
    const std::string digits = version.substr(start, end - start);
    if (field == 3) return "has a fourth field, which Windows Installer ignores when it upgrades; give three";
    if (digits.empty() || digits.size() > 5 || !std::all_of(digits.begin(), digits.end(), IsDigit) ||
        std::stoul(digits) > limits[field]) {
      return "is not one to three numbers major.minor.build (at most 255.255.65535)";
    }
    if (end == version.size()) return std::nullopt;
    start = end + 1;
  }
}

// The name becomes a folder, a shortcut and a registry key under the
// publisher's: what Windows refuses in a file name is refused, and so are
// brackets and braces, which Windows Installer reads as references in a key.
bool IsUsableName(const std::string& name) {
  if (name.empty() || name.back() == '.' || name.back() == ' ' || name.front() == ' ') return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 ||
           std::string_view("\\/:*?\"<>|[]{}").find(c) != std::string_view::npos;
  });
}

bool IsUsableExtension(const std::string& extension) {
  return extension.size() >= 2 && extension.size() <= 32 && extension[0] == '.' &&
         std::all_of(extension.begin() + 1, extension.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-'; });
}

PackageResult<bool> ApplyValueOption(const std::string& option, const WideString& value, PackageOptions& options) {
  const std::string utf8 = platform::ToUtf8(value);
  ProductFacts& product = options.product;
  if (option == "--exe") {
    options.exe = value;
  } else if (option == "--files") {
    options.files = value;
  } else if (option == "--zip") {
    options.zip = value;
  } else if (option == "--msi") {
    options.msi = value;
  } else if (option == "--name") {
    if (!IsUsableName(utf8)) return PackageError{"--name: \"" + utf8 + "\" cannot name a folder or a shortcut"};
    product.name = utf8;
  } else if (option == "--version") {
    if (std::optional<std::string> fault = VersionFault(utf8))
      return PackageError{"--version: \"" + utf8 + "\" " + *fault};
    product.version = utf8;
  } else if (option == "--publisher") {
    if (!IsUsableName(utf8))
      return PackageError{"--publisher: \"" + utf8 + "\" cannot name a registry key or a folder"};
    product.publisher = utf8;
  } else if (option == "--upgrade-code") {
    std::optional<std::string> guid = CanonicalGuid(utf8);
    if (!guid) return PackageError{"--upgrade-code: \"" + utf8 + "\" is not a GUID such as {8D0F1A3E-...}"};
    product.upgradeCode = *guid;
  } else if (option == "--associate") {
    if (!IsUsableExtension(utf8)) return PackageError{"--associate: \"" + utf8 + "\" is not an extension such as .myd"};
    product.association = utf8;
  } else {
    return false;
  }
  return true;
}

}  // namespace

const char kPackageUsage[] =
    "usage: launcher-package --exe MyApp.exe [--files FOLDER] --name NAME --version A.B.C --publisher NAME\n"
    "                        --upgrade-code {GUID} [--per-machine] [--associate .EXT]\n"
    "                        [--zip OUT.zip] [--msi OUT.msi]\n";

PackageResult<PackageOptions> ParsePackageOptions(const WideStringList& arguments) {
  PackageOptions options;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string option = platform::ToUtf8(arguments[i]);
    if (option == "--per-machine") {
      options.product.scope = InstallScope::PerMachine;
      continue;
    }
    if (i + 1 == arguments.size())
      return Usage(option.rfind("--", 0) == 0 ? option + " needs a value" : "unexpected " + option);
    PackageResult<bool> known = ApplyValueOption(option, arguments[i + 1], options);
    if (!known) return known.error();
    if (!*known) return Usage("unknown option " + option);
    ++i;
  }
  if (options.exe.empty()) return Usage("--exe is missing");
  if (!options.zip && !options.msi) return Usage("nothing to write: give --zip, --msi or both");
  const std::string exeName = platform::ToUtf8(platform::FileNameOf(options.exe));
  if (exeName.size() < 5 || exeName.substr(exeName.size() - 4) != ".exe") {
    return PackageError{"--exe: \"" + exeName + "\" is not a program's name ending in .exe"};
  }
  const ProductFacts& product = options.product;
  if (options.msi) {
    for (const auto& [value, option] :
         {std::pair{product.name, "--name"}, std::pair{product.version, "--version"},
          std::pair{product.publisher, "--publisher"}, std::pair{product.upgradeCode, "--upgrade-code"}}) {
      if (value.empty()) return Usage(std::string(option) + " is missing; an installer needs it");
    }
  } else if (product.name.empty()) {
    return Usage("--name is missing; it names the archive's folder");
  }
  return options;
}

}  // namespace launcher::package
