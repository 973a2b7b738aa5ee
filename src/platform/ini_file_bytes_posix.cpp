#include "platform/ini_file_bytes.h"

#include <algorithm>

#include "platform/ini_syntax.h"

namespace platform {

WideStringList IniLinesOfBytes(std::string_view file, const AnsiCodec& ansi) {
  return ini::SplitIniLines(DecodeIniFile(file, ansi));
}

WideString IniValueInLines(const WideStringList& lines, const WideString& section, const WideString& key) {
  return ini::LookUpIniValue(lines, section, key).value_or(WideString());
}

uint32_t CopyIniValue(const WideString& value, wchar_t* buffer, uint32_t size) {
  if (size == 0) return 0;
  const size_t length = std::min<size_t>(value.size(), size - 1);
  value.copy(buffer, length);
  buffer[length] = L'\0';
  return static_cast<uint32_t>(length);
}

}  // namespace platform
