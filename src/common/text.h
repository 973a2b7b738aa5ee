#pragma once

#include <cstdint>
#include <optional>

#include "platform/wide_string.h"

namespace launcher {

// Small text operations shared by the settings and the JVM options.

// Letters compared without regard to case (the comparison the settings call "any case").
bool EqualsIgnoringCase(const WideString& a, const WideString& b);

// The text without the wide-character white space (space, tab, CR, LF, VT, FF) at both ends.
WideString TrimWhiteSpace(const WideString& text);

// Replaces every occurrence of one character.
WideString ReplaceAll(WideString text, wchar_t from, wchar_t to);

// The text without the blanks around it and then without one pair of double
// quotes enclosing it, as Explorer's "Copy as path" puts them around a path.
WideString WithoutEnclosingQuotes(const WideString& text);

// A whole number written in decimal digits alone (no sign, no blanks) that
// fits 64 bits; none for anything else.
std::optional<uint64_t> ParseDecimal(const WideString& text);

}  // namespace launcher
