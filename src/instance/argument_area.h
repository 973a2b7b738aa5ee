#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/wide_string.h"

namespace launcher::instance {

// The argument area of the single-instance shared block: the forwarded arguments
// as UTF-16LE text, each followed by one zero unit, the whole ended by one more
// zero unit, in 1040 bytes filled with zeros.

inline constexpr size_t kArgumentAreaSize = 1040;

// The area's 1040 bytes for the arguments; none when the layout cannot carry
// them faithfully: no arguments (an empty area reads back as one empty
// argument), an empty argument (it reads back as the end of the list), or more
// than the area holds.
std::optional<std::string> EncodeArgumentArea(const WideStringList& arguments);

// The arguments that bytes hold, read as the layout says: units up to a zero
// unit make one argument, and a zero unit right after that ends the list. Bytes
// that end first end the list too, the text collected so far counting as its
// last argument; an odd last byte is ignored. Any bytes are accepted.
WideStringList DecodeArgumentArea(std::string_view bytes);

}  // namespace launcher::instance
