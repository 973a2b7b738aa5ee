#pragma once

#include "platform/wide_string.h"

class Launcher;

// The executable's full path. When the system cannot tell it, the user is told
// (message 202 with 208 and the error code) and the result is false.
bool GetModulePath(Launcher& launcher, WideString& path);

// The executable's folder, with its trailing path separator.
bool GetModuleFolder(Launcher& launcher, WideString& folder);
