#include "app/program_mode.h"
#include "platform/process.h"

int main(int argc, char** argv) {
  platform::RecordProcessArguments(argc, argv);
  return RunProgram(SystemHost(), platform::QueryCommandLine());
}
