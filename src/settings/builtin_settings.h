#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "platform/wide_string.h"

namespace launcher::settings {

// The settings the executable carries, the lowest layer of every layered lookup:
// an ordered list of sections, each an ordered list of (key, value) pairs.
struct BuiltinSettings {
  struct Entry {
    WideString key;
    WideString value;
    size_t line = 0;  // counted from 1
  };
  struct Section {
    WideString name;
    std::vector<Entry> entries;
    size_t line = 0;
  };
  std::vector<Section> sections;

  // Section and key compared exactly, letter case included; the first section of
  // a repeated name answers.
  std::optional<WideString> Find(const WideString& section, const WideString& key) const;
};

// Parses INI text whose lines end in "\r\n". Lines before the first section and
// lines without "=" are ignored; keys and values are trimmed, section names not.
BuiltinSettings ParseBuiltinSettings(const WideString& text);

}  // namespace launcher::settings
