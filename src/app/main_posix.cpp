#include "app/program_mode.h"
#include "platform/process.h"

int main(int argc, char** argv) {
  launcher::platform::RecordProcessArguments(argc, argv);
  return launcher::app::RunProgram(launcher::app::SystemHost(), launcher::platform::QueryCommandLine());
}
