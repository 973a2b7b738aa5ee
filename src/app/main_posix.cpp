#include "app/program_mode.h"
#include "platform/process_command_line.h"

int main(int argc, char** argv) {
  platform::RecordProcessArguments(argc, argv);
  return RunProgram(SystemHost(), platform::QueryCommandLine());
}
