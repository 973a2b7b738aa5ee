#include "common/argument_list.h"

#include <algorithm>

#include "common/text.h"

namespace launcher {

namespace {

size_t SkipSpaces(const WideString& text, size_t position) {
  while (position < text.size() && text[position] == L' ') ++position;
  return position;
}

}  // namespace

void SplitArguments(const WideString& text, WideStringList& list) {
  size_t position = 0;
  const size_t n = text.size();
  if (n == 0) return;
  for (;;) {
    if (text[position] == L'"') {
      size_t close = text.find(L'"', position + 1);
      if (close == WideString::npos) {
        list.push_back(text.substr(position + 1));
        return;
      }
      list.push_back(text.substr(position + 1, close - position - 1));
      position = SkipSpaces(text, close + 1);
    } else {
      size_t space = text.find(L' ', position);
      if (space == WideString::npos) {
        list.push_back(text.substr(position));
        return;
      }
      list.push_back(text.substr(position, space - position));
      position = SkipSpaces(text, space);
    }
    if (position >= n) return;
  }
}

WideStringList ReadArgumentList(const platform::ProcessCommandLine& commandLine) {
  WideStringList arguments;
  if (commandLine.text) {
    SplitArguments(TrimWhiteSpace(*commandLine.text), arguments);
  } else {
    arguments = commandLine.arguments;
  }
  if (!arguments.empty()) arguments.erase(arguments.begin());
  return arguments;
}

bool HasArgument(const WideStringList& arguments, const WideString& text) {
  return std::find(arguments.begin(), arguments.end(), text) != arguments.end();
}

}  // namespace launcher
