#include "platform/standard_streams.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/text.h"

namespace platform {

bool IsTerminal(StandardStream stream) {
  switch (stream) {
    case StandardStream::Input:
      return isatty(STDIN_FILENO) != 0;
    case StandardStream::Output:
      return isatty(STDOUT_FILENO) != 0;
    case StandardStream::Error:
      break;
  }
  return isatty(STDERR_FILENO) != 0;
}

void WriteStandardError(const WideString& text) {
  std::fputs(ToUtf8(text).c_str(), stderr);
  std::fflush(stderr);
}

std::optional<WideString> ReadStandardInputLine() {
  std::string line;
  for (int c = std::getc(stdin); c != '\n'; c = std::getc(stdin)) {
    if (c == EOF) return line.empty() ? std::nullopt : std::optional<WideString>(FromUtf8(line));
    line.push_back(static_cast<char>(c));
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return FromUtf8(line);
}

}  // namespace platform
