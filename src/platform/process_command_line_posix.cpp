#include "platform/process_command_line.h"

#include "platform/unicode.h"

namespace platform {
namespace {

WideStringList& RecordedArguments() {
  static WideStringList arguments;
  return arguments;
}

}  // namespace

void RecordProcessArguments(int argc, char** argv) {
  WideStringList& arguments = RecordedArguments();
  arguments.clear();
  for (int i = 0; i < argc; ++i) arguments.push_back(FromUtf8(argv[i]));
}

ProcessCommandLine QueryCommandLine() { return {std::nullopt, RecordedArguments()}; }

}  // namespace platform
