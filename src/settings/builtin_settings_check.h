#pragma once

#include <cstddef>
#include <initializer_list>
#include <span>
#include <vector>

#include "platform/wide_string.h"

namespace launcher::settings {

// What a publisher should hear before built-in settings ship: each section and
// key the launcher will not read from the built-in layer, and version bounds
// that no installed runtime can meet, with the line's number (counted from 1).
// The text's lines end in CR LF, as the launcher reads them.
struct SettingsNotice {
  size_t line = 0;
  WideString text;
};

std::vector<SettingsNotice> CheckBuiltinSettings(const WideString& text);

// The sections and keys the launcher reads through the built-in layer: the
// check's one list of what it knows.
struct BuiltinLayerSection {
  const wchar_t* name;
  std::initializer_list<const wchar_t*> keys;
  // A key that is also read numbered from 2 on ("Archive URL 2", ...); null for none.
  const wchar_t* numberedKey = nullptr;
};
std::span<const BuiltinLayerSection> BuiltinLayerSections();

}  // namespace launcher::settings
