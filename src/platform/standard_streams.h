#pragma once

#include <optional>

#include "platform/wide_string.h"

namespace platform {

enum class StandardStream { Input, Output, Error };

// Whether the process's stream is a terminal (on Windows, a console) that a
// person reads or types into, rather than a pipe, a file or nothing.
bool IsTerminal(StandardStream stream);

// Writes the text to the process's standard error as it is. A console gets
// the characters themselves; a pipe or file gets them in the encoding the
// runtime's own output there has (UTF-8 on POSIX; on Windows the ANSI code
// page, with CR LF line ends).
void WriteStandardError(const WideString& text);

// A line typed on standard input, without its line end; nullopt at the end of input.
std::optional<WideString> ReadStandardInputLine();

}  // namespace platform
