#include <cerrno>

#include "platform/files.h"
#include "platform/ini.h"
#include "platform/ini_format.h"

// An INI reader with the behaviour of GetPrivateProfileStringW, so that one
// settings file means the same on both systems. Files are UTF-8 (with or without
// BOM) or UTF-16 with BOM.

namespace launcher::platform {

// A new file starts with a UTF-8 BOM, so that Windows too reads it as UTF-8
// rather than in its ANSI code page.
const IniFileFormat kNewIniFileFormat{IniEncoding::Utf8Bom, L"\n"};
const SystemError kSettingNotStorable{EINVAL};

// A start asks some fifty values of one or two files: their lines are read once.
struct IniFile::Contents {
  IniLines lines;
};

IniFile IniFile::Open(const WideString& path) {
  const SystemResult<std::string> file = ReadWholeFile(path);
  if (!file) return IniFile();
  return IniFile(std::make_shared<const Contents>(Contents{IniLinesOfBytes(*file, SystemAnsiCodec())}));
}

WideString IniFile::Value(const WideString& section, const WideString& key) const {
  if (!contents_) return {};
  return contents_->lines.Value(section, key);
}

}  // namespace launcher::platform
