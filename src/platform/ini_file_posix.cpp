#include "platform/ini_file.h"

#include "platform/file_replacement.h"
#include "platform/ini_file_bytes.h"

// An INI reader with the behaviour of GetPrivateProfileStringW, so that one
// settings file means the same on both systems. Files are UTF-8 (with or without
// BOM) or UTF-16 with BOM.

namespace platform {

// A new file starts with a UTF-8 BOM, so that Windows too reads it as UTF-8
// rather than in its ANSI code page.
const IniFileFormat kNewIniFileFormat{IniEncoding::Utf8Bom, L"\n"};

uint32_t ReadIniString(const WideString& section, const WideString& key, wchar_t* buffer, uint32_t size,
                       const WideString& path) {
  const FileBytes file = ReadWholeFile(path);
  if (file.state != FileState::Present) return CopyIniValue(WideString(), buffer, size);
  return CopyIniValue(IniValueInLines(IniLinesOfBytes(file.bytes, SystemAnsiCodec()), section, key), buffer, size);
}

}  // namespace platform
