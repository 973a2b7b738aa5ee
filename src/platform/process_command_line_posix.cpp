#include "platform/process_command_line.h"

#include "platform/text.h"

namespace platform {
namespace {

WideStringList& RecordedArguments() {
  static WideStringList arguments;
  return arguments;
}

std::vector<std::string>& RecordedBytes() {
  static std::vector<std::string> bytes;
  return bytes;
}

}  // namespace

void RecordProcessArguments(int argc, char** argv) {
  WideStringList& arguments = RecordedArguments();
  arguments.clear();
  RecordedBytes().assign(argv, argv + argc);
  for (int i = 0; i < argc; ++i) arguments.push_back(FromUtf8(argv[i]));
}

std::vector<std::string> RecordedArgumentBytes() { return RecordedBytes(); }

ProcessCommandLine QueryCommandLine() { return {std::nullopt, RecordedArguments()}; }

}  // namespace platform
