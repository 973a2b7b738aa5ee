// The command-line splitter: any text splits into pieces of itself, none with
// both a space and a quote; a list of arguments quoted and joined splits back
// into the same list.
#include <cstdint>

#include "common/argument_list.h"
#include "common/split_list.h"
#include "fuzz_check.h"

using namespace launcher;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const WideString text = fuzz::Text(data, size);

  WideStringList arguments;
  SplitArguments(text, arguments);
  size_t characters = 0;
  for (const WideString& argument : arguments) {
    fuzz::Check(text.find(argument) != WideString::npos, "an argument is a piece of the text", argument);
    // Unquoted arguments end at a space, quoted ones at a quote.
    fuzz::Check(argument.find(L' ') == WideString::npos || argument.find(L'"') == WideString::npos,
                "no argument holds both a space and a quote", argument);
    characters += argument.size();
  }
  fuzz::Check(characters <= text.size(), "the arguments are no longer than the text", text);

  // The lines of the text as a list: each quoted (quotes dropped) and joined
  // by spaces, then split again.
  WideStringList list = SplitList(text, L"\n");
  WideString joined;
  for (WideString& item : list) {
    std::erase(item, L'"');
    joined += (joined.empty() ? L"\"" : L" \"") + item + L"\"";
  }
  WideStringList split;
  SplitArguments(joined, split);
  fuzz::Check(split == list, "quoted and joined, a list splits back", joined);

  // The command line's first piece is the program, which the application does not get.
  const WideStringList read = ReadArgumentList({WideString(L"launcher ") + joined, {}});
  fuzz::Check(read == list, "the program path is dropped", joined);
  return 0;
}
