#include "platform/ini_file_bytes.h"

#include <algorithm>

#include "platform/ini_syntax.h"

namespace platform {

IniLines::IniLines(WideString text)
    : text_(std::make_unique<const WideString>(std::move(text))), lines_(ini::SplitIniLines(*text_)) {}

IniLines IniLinesOfBytes(std::string_view file, const AnsiCodec& ansi) { return IniLines(DecodeIniFile(file, ansi)); }

WideString IniValueInLines(const IniLines& lines, const WideString& section, const WideString& key) {
  return ini::LookUpIniValue(lines.lines(), section, key).value_or(WideString());
}

uint32_t CopyIniValue(const WideString& value, wchar_t* buffer, uint32_t size) {
  if (size == 0) return 0;
  const size_t length = std::min<size_t>(value.size(), size - 1);
  value.copy(buffer, length);
  buffer[length] = L'\0';
  return static_cast<uint32_t>(length);
}

}  // namespace platform
