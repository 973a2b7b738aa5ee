// The built-in settings parser on any resource bytes (UTF-8, with or without
// BOM, or UTF-16LE with BOM): what it finds is what Find answers, and writing
// the parsed settings out again parses to the same settings.
#include <algorithm>
#include <cstdint>

#include "common/text.h"
#include "fuzz_check.h"
#include "platform/text.h"
#include "settings/builtin_settings.h"

using namespace launcher;

namespace {

bool SameSections(const settings::BuiltinSettings& a, const settings::BuiltinSettings& b) {
  return std::equal(
      a.sections.begin(), a.sections.end(), b.sections.begin(), b.sections.end(),
      [](const settings::BuiltinSettings::Section& x, const settings::BuiltinSettings::Section& y) {
        return x.name == y.name &&
               std::equal(x.entries.begin(), x.entries.end(), y.entries.begin(), y.entries.end(),
                          [](const settings::BuiltinSettings::Entry& e, const settings::BuiltinSettings::Entry& f) {
                            return e.key == f.key && e.value == f.value;
                          });
      });
}

WideString Written(const settings::BuiltinSettings& settings) {
  WideString text;
  for (const settings::BuiltinSettings::Section& section : settings.sections) {
    text += L"[" + section.name + L"]\r\n";
    for (const settings::BuiltinSettings::Entry& entry : section.entries)
      text += entry.key + L"=" + entry.value + L"\r\n";
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const WideString text = platform::DecodeText(fuzz::Bytes(data, size));
  const settings::BuiltinSettings settings = settings::ParseBuiltinSettings(text);

  for (size_t s = 0; s < settings.sections.size(); ++s) {
    const settings::BuiltinSettings::Section& section = settings.sections[s];
    fuzz::Check(section.name.find(L"\r\n") == WideString::npos, "a section name is within one line", section.name);
    size_t first = 0;
    while (settings.sections[first].name != section.name) ++first;
    for (const settings::BuiltinSettings::Entry& entry : section.entries) {
      const WideString& key = entry.key;
      const WideString& value = entry.value;
      fuzz::Check(key.find(L'=') == WideString::npos, "a key holds no =", key);
      fuzz::Check(TrimWhiteSpace(key) == key && TrimWhiteSpace(value) == value, "keys and values are trimmed", key);
      // Find answers from the first section of the name, the first entry of the key.
      std::optional<WideString> found = settings.Find(section.name, key);
      if (first == s) {
        fuzz::Check(found.has_value(), "every entry of a first section is found", key);
        for (const settings::BuiltinSettings::Entry& other : section.entries) {
          if (other.key == key) {
            fuzz::Check(*found == other.value, "the first entry of a key answers", key);
            break;
          }
        }
      }
    }
  }

  const settings::BuiltinSettings again = settings::ParseBuiltinSettings(Written(settings));
  fuzz::Check(SameSections(again, settings), "written out and parsed again, the settings stay", text);
  return 0;
}
