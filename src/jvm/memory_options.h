#pragma once

#include <cstdint>
#include <vector>

#include "platform/process.h"
#include "platform/wide_string.h"

namespace launcher::jvm {

// The numbers of a memory-share option (-Xmx25:256:1024P) and where they begin.
struct NumberList {
  std::vector<uint64_t> numbers;
  size_t start = 0;
  bool overflow = false;  // a number does not fit in 64 bits (it is then kept at the largest)
};

// Where memory figures come from; asked only when a token is a memory share.
using MemoryFiguresSource = platform::MemoryFigures (*)();

// Appends one "Virtual Machine Parameters" token to the options: its quotes
// removed, a memory share rewritten into kilobytes, and an "-Xss" size taken as
// the JVM thread's stack size.
void AddVmParameter(WideString token, WideStringList& options, uint64_t& jvmThreadStackSize,
                    MemoryFiguresSource memory);

// Removes double-quote pairs; of a doubled closing quote the first stays.
void StripQuotes(WideString& token);

// -Xmx50P (share of physical memory) or -Xms10:64T (of the available address
// space), with optional minimum and maximum in megabytes, becomes a size in K.
// A figure or result whose size in bytes does not fit in 64 bits leaves the
// token as it is, for the JVM to refuse with its own reason; false then.
bool RewriteMemoryOption(WideString& token, const platform::MemoryFigures& memory);

// The ":"-separated numbers from the first digit or ":" on; the last character
// (the unit letter) is never part of them.
NumberList ParseNumberList(const WideString& text);

// "512k", "2m", "1g" or "65536" in bytes; 0 when the text is not one number or
// the size does not fit in 64 bits.
uint64_t ParseByteSize(const WideString& text);

}  // namespace launcher::jvm
