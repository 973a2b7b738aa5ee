#include "settings/settings_readers.h"

#include "platform/growing_buffer.h"
#include "platform/ini_file.h"

namespace {

WideString ReadFile(const WideString& path, bool readable, const WideString& section, const WideString& key) {
  if (!readable) return {};
  // One character short of full counts as full too: Wine cuts a quoted value
  // that exactly fits by its last character.
  return platform::ReadIntoGrowingBuffer(
      [&](wchar_t* buffer, size_t size) {
        return platform::ReadIniString(section, key, buffer, static_cast<uint32_t>(size), path);
      },
      2);
}

}  // namespace

const char* LayerName(SettingLayer layer) {
  switch (layer) {
    case SettingLayer::Builtin:
      return "built-in";
    case SettingLayer::SettingsFile:
      return "settings-file";
    case SettingLayer::PlusSection:
      return "plus-section";
    case SettingLayer::BuiltinAndPlusSection:
      return "built-in+plus-section";
    case SettingLayer::PerUserFile:
      return "per-user-file";
    case SettingLayer::None:
      break;
  }
  return "none";
}

void TraceSetting(Trace& trace, const WideString& section, const WideString& key, const SettingValue& value) {
  if (value.text.empty()) return;
  TraceLine(trace, "setting")
      .Text("section", section)
      .Text("key", key)
      .Text("value", value.text)
      .Word("layer", LayerName(value.layer))
      .Write();
}

WideString PlainReader::ReadPlain(const WideString& section, const WideString& key) const {
  WideString text = ReadFile(path, readable, section, key);
  TraceSetting(trace, section, key, {text, layer});
  return text;
}

SettingValue LayeredReader::ReadValue(const WideString& section, const WideString& key) const {
  SettingValue value;
  if (std::optional<WideString> builtinText = builtin.Find(section, key)) {
    value = {*builtinText, builtinText->empty() ? SettingLayer::None : SettingLayer::Builtin};
  }
  WideString fromFile = ReadFile(path, readable, section, key);
  if (!fromFile.empty()) {
    value = {fromFile, SettingLayer::SettingsFile};
  } else if (WideString addition = ReadFile(path, readable, section + L"+", key); !addition.empty()) {
    value.layer = value.text.empty() ? SettingLayer::PlusSection : SettingLayer::BuiltinAndPlusSection;
    value.text += (addition[0] == L' ' ? L"" : L" ") + addition;
  }
  TraceSetting(trace, section, key, value);
  return value;
}
