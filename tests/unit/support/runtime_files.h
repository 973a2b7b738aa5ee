#pragma once

#include "platform/wide_string.h"

namespace launcher {

namespace test {

// Makes a runtime folder's files in the system's layout. home ends in a separator.
void AddJvmLibrary(const WideString& home, const WideString& vm);
void AddJavaLibrary(const WideString& folder);

// The path AddJvmLibrary creates for a VM folder.
WideString JvmLibraryPath(const WideString& home, const WideString& vm);

}  // namespace test

}  // namespace launcher
