#include "instance/argument_area.h"

#include <algorithm>

#include "common/little_endian.h"
#include "platform/text.h"

namespace launcher::instance {

std::optional<std::string> EncodeArgumentArea(const WideStringList& arguments) {
  const bool hasEmpty = std::any_of(arguments.begin(), arguments.end(), [](const WideString& a) { return a.empty(); });
  if (arguments.empty() || hasEmpty) return std::nullopt;
  std::string area;
  for (const WideString& argument : arguments) {
    area += platform::ToUtf16Bytes(argument, false);
    area.append(2, '\0');
  }
  // The list's final zero unit must fit as well.
  if (area.size() + 2 > kArgumentAreaSize) return std::nullopt;
  area.resize(kArgumentAreaSize, '\0');
  return area;
}

WideStringList DecodeArgumentArea(std::string_view bytes) {
  WideStringList arguments;
  std::u16string current;
  const ByteReader area(bytes);
  const size_t units = bytes.size() / 2;
  for (size_t i = 0; i < units; ++i) {
    const auto unit = static_cast<char16_t>(area.U16(i * 2));
    if (unit != 0) {
      current.push_back(unit);
      continue;
    }
    arguments.push_back(platform::FromUtf16(current));
    current.clear();
    if (i + 1 < units && area.U16((i + 1) * 2) == 0) return arguments;
  }
  if (!current.empty()) arguments.push_back(platform::FromUtf16(current));
  return arguments;
}

}  // namespace launcher::instance
