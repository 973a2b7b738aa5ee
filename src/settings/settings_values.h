#pragma once

#include "platform/wide_string.h"
#include "settings/runtime_requirements.h"

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
