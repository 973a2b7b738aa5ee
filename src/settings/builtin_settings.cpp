#include "settings/builtin_settings.h"

#include "common/split_list.h"
#include "common/text.h"

namespace launcher::settings {

std::optional<WideString> BuiltinSettings::Find(const WideString& section, const WideString& key) const {
  for (const Section& each : sections) {
    if (each.name != section) continue;
    for (const Entry& entry : each.entries) {
      if (entry.key == key) return entry.value;
    }
    return std::nullopt;
  }
  return std::nullopt;
}

namespace {

// Whether the first and last characters above U+0020 are "[" and "]".
bool IsSectionLine(const WideString& line) {
  size_t first = 0;
  size_t last = line.size();
  while (first < last && line[first] <= L' ') ++first;
  while (last > first && line[last - 1] <= L' ') --last;
  return last - first >= 2 && line[first] == L'[' && line[last - 1] == L']';
}

}  // namespace

BuiltinSettings ParseBuiltinSettings(const WideString& text) {
  BuiltinSettings settings;
  WideStringList lines = SplitList(text, L"\r\n");
  if (!lines.empty() && !lines[0].empty() && lines[0][0] == L'\xFEFF') lines[0].erase(0, 1);
  for (size_t number = 1; number <= lines.size(); ++number) {
    const WideString& line = lines[number - 1];
    if (line.empty()) continue;
    if (IsSectionLine(line)) {
      size_t open = line.find(L'[');
      settings.sections.push_back({line.substr(open + 1, line.rfind(L']') - open - 1), {}, number});
      continue;
    }
    size_t equals = line.find(L'=');
    if (equals == WideString::npos || settings.sections.empty()) continue;
    settings.sections.back().entries.push_back(
        {TrimWhiteSpace(line.substr(0, equals)), TrimWhiteSpace(line.substr(equals + 1)), number});
  }
  return settings;
}

}  // namespace launcher::settings
