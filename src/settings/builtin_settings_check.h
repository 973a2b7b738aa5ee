#pragma once

#include <cstddef>
#include <vector>

#include "platform/wide_string.h"

// What a publisher should hear before built-in settings ship: each section and
// key the launcher will not read from the built-in layer, and each line it
// will not see as a line, with the line's number (counted from 1).
struct SettingsNotice {
  size_t line = 0;
  WideString text;
};

std::vector<SettingsNotice> CheckBuiltinSettings(const WideString& text);
