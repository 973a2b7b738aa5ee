#include "platform/ini_file.h"

#include <algorithm>

#include "platform/file_replacement.h"
#include "platform/ini_encoding.h"
#include "platform/ini_syntax.h"

// An INI reader with the behaviour of GetPrivateProfileStringW, so that one
// settings file means the same on both systems. Files are UTF-8 (with or without
// BOM) or UTF-16 with BOM.

namespace platform {

// A new file starts with a UTF-8 BOM, so that Windows too reads it as UTF-8
// rather than in its ANSI code page.
const IniFileFormat kNewIniFileFormat{IniEncoding::Utf8Bom, L"\n"};

namespace {

WideString ValueOf(const WideString& section, const WideString& key, const WideString& path) {
  const FileBytes file = ReadWholeFile(path);
  if (file.state != FileState::Present) return {};
  return ini::LookUpIniValue(ini::SplitIniLines(DecodeIniFile(file.bytes, SystemAnsiCodec())), section, key)
      .value_or(WideString());
}

}  // namespace

uint32_t ReadIniString(const WideString& section, const WideString& key, wchar_t* buffer, uint32_t size,
                       const WideString& path) {
  if (size == 0) return 0;
  const WideString value = ValueOf(section, key, path);
  const size_t length = std::min<size_t>(value.size(), size - 1);
  value.copy(buffer, length);
  buffer[length] = L'\0';
  return static_cast<uint32_t>(length);
}

}  // namespace platform
