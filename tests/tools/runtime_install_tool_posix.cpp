#include <csignal>

#include "platform/text.h"
#include "runtime_install_tool.h"

using namespace launcher;

int main(int argc, char** argv) {
  // A file size limit (ulimit -f) is then a write error, as a full disk is,
  // rather than the end of the process.
  std::signal(SIGXFSZ, SIG_IGN);
  WideStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(platform::FromUtf8(argv[i]));
  return RunRuntimeInstallTool(arguments);
}
