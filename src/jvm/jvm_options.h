#pragma once

#include "platform/wide_string.h"

class Launcher;

// Builds the class-path option and the VM parameters into the JVM option list,
// and reads the output and error files and the "Cmd" arguments. False when
// there is no settings file or the class path comes out empty (message 209).
bool AssembleJvmOptions(Launcher& launcher);

// Appends the files a relative or wildcard class-path entry names, each
// followed by the class-path separator; a relative entry is looked up in the
// executable's folder (given without its trailing separator).
void ResolveClassPathEntry(const WideString& entry, const WideString& executableFolder, WideString& classPath);

// The tokens of "Virtual Machine Parameters": separated by spaces, with double
// quotes grouping (and kept).
WideStringList SplitVmParameters(const WideString& value);
