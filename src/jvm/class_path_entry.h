#pragma once

#include "platform/wide_string.h"

namespace launcher::jvm {

// What one "Class Path" entry becomes, decided from its text alone; the file
// search in between is the caller's.

// Whether the entry is passed on unchecked: an absolute path without "*".
bool IsPassedUnchecked(const WideString& entry);

// The search pattern of an entry that is looked for: an absolute entry as it
// is, a relative one below the executable's folder (given without its trailing
// separator). An entry written with a leading separator ("\lib\*.jar" on
// Windows) joins the folder as it is; others get one, so both mean the same.
WideString SearchPatternOf(const WideString& entry, const WideString& executableFolder);

// The class-path text of the names a pattern found: each name in the pattern's
// folder, followed by the class-path separator.
WideString ClassPathOfFound(const WideString& pattern, const WideStringList& names);

}  // namespace launcher::jvm
