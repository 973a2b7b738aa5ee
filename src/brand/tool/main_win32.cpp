#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "brand/brand_tool.h"

// Arguments arrive as UTF-16 (wmain); the output is UTF-8 bytes, as on Linux,
// so that scripts compare the two builds' output directly.
int wmain(int argc, wchar_t** argv) {
  launcher::WideStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(argv[i]);
  const launcher::brand::ToolOutcome outcome = launcher::brand::RunBrandTool(arguments);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::fwrite(outcome.out.data(), 1, outcome.out.size(), stdout);
  std::fwrite(outcome.err.data(), 1, outcome.err.size(), stderr);
  return outcome.exitCode;
}
