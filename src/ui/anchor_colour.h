#pragma once

#include <cstdint>
#include <optional>

#include "platform/wide_string.h"

namespace launcher::ui {

// The browser's link colours, as "Anchor Color" and "Anchor Color Visited"
// hold them: three decimal numbers, red, green and blue, separated by commas.

// The longest text the launcher reads from such a value; longer ones are ignored.
constexpr size_t kAnchorColourMaxLength = 11;

// The colour as 0x00BBGGRR (each number cut to its low 8 bits); nullopt when
// the text lacks a comma, has nothing after its second, or is too long. A
// number may have leading white space and a sign, ends at its first
// non-digit, and is 0 without digits.
std::optional<uint32_t> ParseAnchorColour(const WideString& text);

}  // namespace launcher::ui
