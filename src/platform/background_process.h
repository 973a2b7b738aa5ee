#pragma once

#include <cstdint>
#include <optional>

#include "platform/wide_string.h"

namespace platform {

// Processes that do work for the launcher after it has ended.

// Starts the executable once more, without arguments, as a process of its own
// that outlives this one: low priority, no console or window, none of this
// process's standard streams or open files, in the given working folder, with
// one more environment variable. It can wait for this process to end
// (WaitForStarterToEnd). false when it could not be started.
bool StartBackgroundCopy(const WideString& executable, const WideString& workingFolder, const WideString& variable,
                         const WideString& value);

// In a process that StartBackgroundCopy started: waits until the process that
// started it has ended; false when that did not happen within the limit.
bool WaitForStarterToEnd(uint32_t limitMilliseconds);

// Runs a program with the arguments (the program path is not repeated among
// them), its standard input empty and its standard output and error going to
// outputFile, and waits for it: its exit code, or nullopt when it could not be
// started, was ended by a signal, or did not end within the limit (it is then killed).
std::optional<uint32_t> RunProgramAndWait(const WideString& program, const WideStringList& arguments,
                                          const WideString& outputFile, uint32_t limitMilliseconds);

}  // namespace platform
