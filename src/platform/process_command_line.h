#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/wide_string.h"

namespace platform {

// The process command line as the system hands it over: Windows gives one text
// (GetCommandLineW) that the launcher splits itself; POSIX gives the argument
// vector, program path first.
struct ProcessCommandLine {
  std::optional<WideString> text;
  WideStringList arguments;
};

ProcessCommandLine QueryCommandLine();

// POSIX only: the entry point records argv here before anything reads it.
void RecordProcessArguments(int argc, char** argv);

// POSIX only: the argument vector exactly as the entry point received it.
std::vector<std::string> RecordedArgumentBytes();

}  // namespace platform
