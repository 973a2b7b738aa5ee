#include "brand/brand_options.h"

#include <array>

#include "brand/pe_image.h"
#include "platform/text.h"

namespace launcher::brand {

namespace {

struct VersionStringOption {
  const wchar_t* option;
  const char16_t* name;
};

constexpr std::array<VersionStringOption, 8> kVersionStrings{{
    {L"--company", u"CompanyName"},
    {L"--product-name", u"ProductName"},
    {L"--description", u"FileDescription"},
    {L"--copyright", u"LegalCopyright"},
    {L"--trademarks", u"LegalTrademarks"},
    {L"--comments", u"Comments"},
    {L"--internal-name", u"InternalName"},
    {L"--original-filename", u"OriginalFilename"},
}};

BrandError Usage(const std::string& why) { return {why + "\n" + kBrandUsage}; }

std::u16string Utf16Of(const WideString& text) { return platform::ToUtf16(text); }

BrandResult<bool> ApplyValueOption(const WideString& option, const WideString& value, BrandOptions& options) {
  BrandRequest& request = options.request;
  const std::string utf8 = platform::ToUtf8(value);
  if (option == L"--settings") {
    options.settingsFile = value;
  } else if (option == L"--icon") {
    options.iconFile = value;
  } else if (option == L"--file-version" || option == L"--product-version") {
    BrandResult<FourPartVersion> version = ParseFourPartVersion(utf8);
    if (!version) return BrandError{platform::ToUtf8(option) + ": " + version.error().message};
    (option == L"--file-version" ? request.fileVersion : request.productVersion) = *version;
  } else if (option == L"--execution-level") {
    request.executionLevel = ParseExecutionLevel(utf8);
    if (!request.executionLevel)
      return Usage("--execution-level: \"" + utf8 + "\" is not asInvoker, highestAvailable or requireAdministrator");
  } else if (option == L"--subsystem") {
    if (value != L"gui" && value != L"console") return Usage("--subsystem: \"" + utf8 + "\" is not gui or console");
    request.subsystem = value == L"gui" ? kSubsystemGui : kSubsystemConsole;
  } else {
    for (const VersionStringOption& each : kVersionStrings) {
      if (option != each.option) continue;
      request.versionStrings.emplace_back(each.name, Utf16Of(value));
      if (option == L"--original-filename") options.originalFilenameGiven = true;
      return true;
    }
    return false;
  }
  return true;
}

}  // namespace

const char kBrandUsage[] =
    "usage: launcher-brand [options] INPUT.exe OUTPUT.exe\n"
    "       launcher-brand --show FILE.exe\n"
    "options: --settings FILE [--strict]  --icon FILE.ico|FILE.png\n"
    "         --file-version A.B.C.D  --product-version A.B.C.D  --company TEXT  --product-name TEXT\n"
    "         --description TEXT  --copyright TEXT  --trademarks TEXT  --comments TEXT\n"
    "         --internal-name TEXT  --original-filename TEXT\n"
    "         --execution-level asInvoker|highestAvailable|requireAdministrator\n"
    "         --subsystem gui|console  --strip-signature\n";

BrandResult<BrandOptions> ParseBrandOptions(const WideStringList& arguments) {
  BrandOptions options;
  WideStringList files;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const WideString& argument = arguments[i];
    if (argument == L"--show") {
      options.show = true;
    } else if (argument == L"--strict") {
      options.strictness = SettingsStrictness::Refuse;
    } else if (argument == L"--strip-signature") {
      options.request.signature = SignaturePolicy::Strip;
    } else if (argument.size() > 2 && argument.compare(0, 2, L"--") == 0) {
      if (i + 1 == arguments.size()) return Usage(platform::ToUtf8(argument) + " needs a value");
      BrandResult<bool> known = ApplyValueOption(argument, arguments[i + 1], options);
      if (!known) return known.error();
      if (!*known) return Usage("unknown option " + platform::ToUtf8(argument));
      ++i;
    } else {
      files.push_back(argument);
    }
  }
  if (options.show ? files.size() != 1 : files.size() != 2) return Usage("wrong number of files");
  options.input = files[0];
  if (!options.show) options.output = files[1];
  return options;
}

}  // namespace launcher::brand
