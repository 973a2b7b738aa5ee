// "Virtual Machine Parameters": split into tokens, then each made an option
// with its quotes removed and memory shares rewritten, on machines from none
// to the largest. Tokens join and split back; a rewrite writes plain digits
// and "K" for a size whose bytes fit in 64 bits, and leaves anything else as
// written; the thread's stack size follows the last -Xss.
#include <cstdint>
#include <limits>

#include "fuzz_check.h"
#include "jvm/memory_options.h"
#include "jvm/vm_parameters.h"

using namespace launcher;

namespace {

constexpr uint64_t kLargest = std::numeric_limits<uint64_t>::max();

const platform::MemoryFigures kMachines[] = {
    {0, 0}, {8ull << 30, 3ull << 30}, {1ull << 45, 1ull << 47}, {kLargest, kLargest}};

platform::MemoryFigures machine;
platform::MemoryFigures Machine() { return machine; }

bool IsDigits(const WideString& text) {
  return !text.empty() && text.find_first_not_of(L"0123456789") == WideString::npos;
}

bool IsShare(const WideString& token) {
  const WideString prefix = token.substr(0, 4);
  return (prefix == L"-Xms" || prefix == L"-Xmx" || prefix == L"-Xss") && !token.empty() &&
         WideString(L"PpTt").find(token.back()) != WideString::npos;
}

void CheckOption(const WideString& token, const WideString& option, uint64_t stack) {
  WideString unquoted = token;
  jvm::StripQuotes(unquoted);
  if (option != unquoted) {
    fuzz::Check(IsShare(unquoted), "only a memory share is rewritten", option);
    const jvm::NumberList list = jvm::ParseNumberList(unquoted);
    fuzz::Check(option.compare(0, list.start, unquoted, 0, list.start) == 0, "the rewrite keeps the prefix", option);
    const WideString size = option.substr(list.start, option.size() - list.start - 1);
    fuzz::Check(option.back() == L'K' && IsDigits(size), "a rewrite writes digits and K", option);
    fuzz::Check(size.size() <= 17 && std::stoull(size) <= (kLargest >> 10), "a rewritten size fits in bytes", option);
  }
  if (option.compare(0, 4, L"-Xss") == 0) {
    const bool unrewritten = option == unquoted && IsShare(unquoted);
    fuzz::Check(stack == (unrewritten ? 0 : jvm::ParseByteSize(option.substr(4))), "-Xss sets the stack size", option);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const WideString value = fuzz::Text(data, size);
  const WideStringList tokens = jvm::SplitVmParameters(value);

  WideString joined;
  for (const WideString& token : tokens) {
    fuzz::Check(!token.empty() && token.front() != L' ', "a token starts with its first character", token);
    joined += (joined.empty() ? L"" : L" ") + token;
  }
  fuzz::Check(jvm::SplitVmParameters(joined) == tokens, "tokens joined by spaces split back", joined);

  for (const platform::MemoryFigures& figures : kMachines) {
    machine = figures;
    WideStringList options;
    uint64_t stack = 1;
    for (const WideString& token : tokens) {
      const uint64_t before = stack;
      jvm::AddVmParameter(token, options, stack, &Machine);
      fuzz::Check(!options.empty(), "every token becomes an option", token);
      CheckOption(token, options.back(), stack);
      if (options.back().compare(0, 4, L"-Xss") != 0) fuzz::Check(stack == before, "only -Xss sets the stack", token);
    }
    fuzz::Check(options.size() == tokens.size(), "one option a token", value);
  }
  return 0;
}
