#pragma once

#include <cstdint>
#include <variant>
#include <vector>

#include "platform/expected.h"
#include "platform/wide_string.h"
#include "string_ids.h"

namespace launcher {

// One argument of a message: a text for %s, a number for %d, or another string
// of the table for %s (loaded only when the message is shown).
using MessageArgument = std::variant<WideString, int32_t, StringId>;

// Why a step failed: the message the user is to see and its arguments, and the
// system's error code taken right at the failing call (0 when none). A silent
// error ends the start without a message: the user cancelled, or there is
// nothing a message could help with.
struct LaunchError {
  StringId message = StringId::kNone;
  std::vector<MessageArgument> arguments;
  uint32_t systemError = 0;

  static LaunchError Silent() { return {}; }
  bool IsSilent() const { return message == StringId::kNone; }
};

// A step's value, or why it failed.
template <typename T>
using Result = platform::Expected<T, LaunchError>;

using platform::Done;
using Status = Result<Done>;

}  // namespace launcher
