#pragma once

#include "platform/process.h"
#include "platform/wide_string.h"

namespace launcher {

// The launcher's own argument list, handed to the application's main.

// Appends the arguments of text to list. Only the space separates arguments; a
// double quote at the start of an argument groups up to the next double quote;
// there is no escape character.
void SplitArguments(const WideString& text, WideStringList& list);

// The argument list from the process command line: the text trimmed, split and
// its first element (the program path) dropped, or the argument vector without
// the program path.
WideStringList ReadArgumentList(const platform::ProcessCommandLine& commandLine);

// Whether some argument equals text exactly (whole argument, letter case counts).
bool HasArgument(const WideStringList& arguments, const WideString& text);

}  // namespace launcher
