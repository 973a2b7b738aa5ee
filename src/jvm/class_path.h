#pragma once

#include "platform/wide_string.h"
#include "settings/launcher_settings.h"

namespace launcher::jvm {

// The "-Djava.class.path=" value of the settings: each entry with environment
// references expanded, relative and wildcard entries resolved against the
// executable's folder, each followed by the class-path separator; with
// "Embedded Jar" the executable itself first.
WideString BuildClassPath(const settings::ClassPathSettings& settings, const WideString& executablePath);

// Appends the files a relative or wildcard class-path entry names, each
// followed by the class-path separator; a relative entry is looked up in the
// executable's folder (given without its trailing separator).
void ResolveClassPathEntry(const WideString& entry, const WideString& executableFolder, WideString& classPath);

}  // namespace launcher::jvm
