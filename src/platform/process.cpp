#include "platform/process.h"

namespace launcher::platform {
namespace {

WideString QuoteArgument(const WideString& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == WideString::npos) return argument;
  WideString quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count as escapes only before a quote: there they are doubled,
    // and the quote itself is escaped.
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    quoted += c;
    backslashes = 0;
  }
  // Before the closing quote too.
  quoted.append(backslashes * 2, L'\\');
  return quoted + L'"';
}

}  // namespace

WideString JoinCommandLine(const WideStringList& arguments) {
  WideString line;
  for (const WideString& argument : arguments) {
    if (!line.empty()) line += L' ';
    line += QuoteArgument(argument);
  }
  return line;
}

}  // namespace launcher::platform
