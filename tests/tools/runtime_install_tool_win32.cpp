#include "runtime_install_tool.h"

using namespace launcher;

int wmain(int argc, wchar_t** argv) {
  WideStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(argv[i]);
  return RunRuntimeInstallTool(arguments);
}
