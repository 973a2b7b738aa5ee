#include "platform/release_file.h"

#include <string>

#include "platform/unicode.h"

namespace platform {

std::optional<WideString> ReleaseFileValue(std::string_view text, std::string_view key) {
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.size() <= key.size() || !line.starts_with(key) || line[key.size()] != '=') continue;
    std::string value;
    for (char c : line.substr(key.size() + 1)) {
      if (c != '"') value += c;
    }
    while (!value.empty() && (value.back() == '\r' || value.back() == ' ')) value.pop_back();
    return FromUtf8(value);
  }
  return std::nullopt;
}

}  // namespace platform
