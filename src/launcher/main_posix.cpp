#include "launcher/entry_point.h"
#include "platform/command_line.h"

int main(int argc, char** argv) {
  platform::RecordProcessArguments(argc, argv);
  return RunLauncher(SystemHost());
}
