#pragma once

namespace platform {

// Whether the system is of the Windows NT family (per-user settings apply there).
// POSIX systems count as NT-family: they have per-user configuration folders.
bool IsNtFamily();

}  // namespace platform
