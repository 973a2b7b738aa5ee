#pragma once

#include <string_view>

class Launcher;

// Whether a library image is built for 32-bit x86: a PE image (MZ, PE
// signature) whose machine is i386, or a 32-bit ELF image for x86. Truncated or
// malformed images are not; nothing is read outside the bytes given.
bool IsI386Library(std::string_view image);

// Sets the relaunch pair product flag when a pair product is configured and the
// chosen JVM library is a 32-bit x86 one; clears it otherwise.
void CheckJvmLibraryMachine(Launcher& launcher);
