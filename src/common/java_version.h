#pragma once

#include <cstdint>

#include "platform/wide_string.h"

namespace launcher {

// A Java version number: four components in order of significance and the count
// of digit runs the parser found. Parsed leniently: every run of decimal digits
// is a component, anything else separates them (1.6.0_20, jdk1.8.0_45-b14).
struct JavaVersion {
  static constexpr int32_t kLowFill = 0;       // missing components of a lower bound or pattern
  static constexpr int32_t kHighFill = 65535;  // missing components of an upper bound

  int32_t components[4] = {0, 0, 0, 0};
  int32_t runCount = 0;  // 0 = no version, 1..4 runs, 5 = more digits followed the fourth

  // Replaces the whole value; false when the text holds no digit or a run overflows.
  bool Parse(const WideString& text, int32_t fill);

  // Equality of the four components; the run count takes no part.
  bool SameNumbers(const JavaVersion& other) const;

  static JavaVersion Any(int32_t fill);
};

// -1 when a is older than b, 1 when newer, 0 when the four components are equal.
int Compare(const JavaVersion& a, const JavaVersion& b);

// All four components 0, or all four 65535: no bound on that side.
bool IsOpenBound(const JavaVersion& version);

// The wildcard match of "Preferred versions": the pattern's trailing zero
// components match anything.
bool MatchesPattern(const JavaVersion& candidate, const JavaVersion& pattern);

// The text form used in messages: 1.6.0.20, 1.7, "0.0.0.0" for an open value.
WideString Format(const JavaVersion& version);

// The "Minimum Version" / "Maximum Version" settings: exactly "any" is the open
// bound with four components; any other text is parsed with the side's fill and
// the parser's verdict ignored.
JavaVersion ParseLowerBound(const WideString& text);
JavaVersion ParseUpperBound(const WideString& text);

}  // namespace launcher
