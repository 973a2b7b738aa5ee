#include "settings/settings_readers.h"

#include "platform/growing_buffer.h"
#include "platform/ini_file.h"

WideString PlainReader::ReadPlain(const WideString& section, const WideString& key) const {
  if (!readable) return {};
  // One character short of full counts as full too: Wine cuts a quoted value
  // that exactly fits by its last character.
  return platform::ReadIntoGrowingBuffer(
      [&](wchar_t* buffer, size_t size) {
        return platform::ReadIniString(section, key, buffer, static_cast<uint32_t>(size), path);
      },
      2);
}

WideString LayeredReader::ReadLayered(const WideString& section, const WideString& key) const {
  WideString value = builtin.Find(section, key).value_or(L"");
  PlainReader file{path, readable};
  WideString fromFile = file.ReadPlain(section, key);
  if (!fromFile.empty()) return fromFile;
  WideString addition = file.ReadPlain(section + L"+", key);
  if (!addition.empty()) value += (addition[0] == L' ' ? L"" : L" ") + addition;
  return value;
}
