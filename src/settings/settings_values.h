#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/wide_string.h"
#include "settings/launcher_settings.h"
#include "settings/runtime_requirements.h"

namespace launcher::settings {

// The values of the settings that choose among runtimes.

// "JVM Type": exactly "server" or "favor_server", else Default.
JvmTypeMode ParseJvmType(const WideString& value);

// "JVM Source", compared exactly.
SourcePolicy ParseSourcePolicy(const WideString& value);

// "VM Provider", letters compared in any case; an unknown value is SunOnly.
VendorPolicy ParseVendorPolicy(const WideString& value);

// Why an "App User Model ID" cannot name the application to the taskbar
// (more than 128 characters, a blank or control character, fewer than two
// pieces or an empty one between dots); null when it can.
const char* AppUserModelIdFault(const WideString& id);
// One exit code of "Restart Exit Codes": a whole number in the 32-bit signed
// range (white space around it allowed); none for anything else.
std::optional<int32_t> ParseExitCode(const WideString& text);

// "Archive SHA-256": 64 hexadecimal digits in any case, blanks around them
// allowed; the digits in lower case, nullopt for anything else.
std::optional<std::string> ParseSha256Text(const WideString& value);

// "Archive Size": a number of bytes in decimal digits; nullopt for anything
// else (empty, a sign, a unit, more than 64 bits).
std::optional<uint64_t> ParseByteCount(const WideString& value);

// "Offer", any case: "auto" and "off"; anything else asks.
RuntimeOffer ParseRuntimeOffer(const WideString& value);

}  // namespace launcher::settings
