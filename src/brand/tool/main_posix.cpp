#include <cstdio>

#include "brand/brand_tool.h"
#include "platform/text.h"

int main(int argc, char** argv) {
  launcher::WideStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(launcher::platform::FromUtf8(argv[i]));
  const launcher::brand::ToolOutcome outcome = launcher::brand::RunBrandTool(arguments);
  std::fwrite(outcome.out.data(), 1, outcome.out.size(), stdout);
  std::fwrite(outcome.err.data(), 1, outcome.err.size(), stderr);
  return outcome.exitCode;
}
