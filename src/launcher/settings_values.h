#pragma once

#include "discovery/jvm_type_mode.h"
#include "platform/wide_string.h"

class Launcher;

// The values of the settings that choose among runtimes.

// "JVM Type": exactly "server" or "favor_server", else Default.
JvmTypeMode ParseJvmType(const WideString& value);

// "JVM Source" (exact): sets any source, JDK wanted and JRE wanted. An empty
// value wants both kinds and leaves any source as it is.
void ApplyJvmSource(const WideString& value, Launcher& launcher);

// "VM Provider" (any case): sets the six vendor flags; a value outside the table
// leaves them as they are.
void ApplyVmProvider(const WideString& value, Launcher& launcher);
