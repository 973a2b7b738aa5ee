#include "launcher/settings_readers.h"

#include "platform/ini_file.h"

WideString PlainReader::ReadPlain(const WideString& section, const WideString& key) const {
  // A value that fills the buffer may have been cut: double the buffer and ask
  // again. One character short counts as full too: Wine cuts a quoted value
  // that exactly fits by its last character.
  WideString buffer(256, L'\0');
  for (;;) {
    uint32_t length = platform::ReadIniString(section, key, buffer.data(),
                                                 static_cast<uint32_t>(buffer.size()), path);
    if (length + 2 < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

WideString LayeredReader::ReadLayered(const WideString& section, const WideString& key) const {
  WideString value = builtin.Find(section, key).value_or(L"");
  PlainReader file{path};
  WideString fromFile = file.ReadPlain(section, key);
  if (!fromFile.empty()) return fromFile;
  WideString addition = file.ReadPlain(section + L"+", key);
  if (!addition.empty()) value += (addition[0] == L' ' ? L"" : L" ") + addition;
  return value;
}
