#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "brand/brand_result.h"
#include "platform/wide_string.h"

namespace launcher::brand {

// How often the output's move is tried while another program holds one of
// its files for a moment (a virus scanner reading the new file), and the
// pause between two tries.
struct MoveRetries {
  int attempts = 1;
  std::function<void()> pause;
};

// The attempt-th name of the temporary file beside output for a process.
WideString TemporaryOutputName(const WideString& output, uint32_t processId, uint32_t attempt);

// Gives output the bytes whole or not at all: they go to a new temporary file
// beside it, of a name nothing had (never through a link), on disk before it
// takes the output's name in one rename. A read-only output is refused and
// left as it is. On failure nothing of the tool's is left behind.
BrandResult<bool> WriteOutputFile(const WideString& output, std::string_view bytes, const MoveRetries& retries);

}  // namespace launcher::brand
