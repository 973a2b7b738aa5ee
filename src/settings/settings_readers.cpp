#include "settings/settings_readers.h"

namespace launcher::settings {

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
  WideString text = file.Value(section, key);
  TraceSetting(trace, section, key, {text, layer});
  return text;
}

SettingValue LayeredReader::ReadValue(const WideString& section, const WideString& key) const {
  SettingValue value;
  if (std::optional<WideString> builtinText = builtin.Find(section, key)) {
    value = {*builtinText, builtinText->empty() ? SettingLayer::None : SettingLayer::Builtin};
  }
  WideString fromFile = file.Value(section, key);
  if (!fromFile.empty()) {
    value = {fromFile, SettingLayer::SettingsFile};
  } else if (WideString addition = file.Value(section + L"+", key); !addition.empty()) {
    value.layer = value.text.empty() ? SettingLayer::PlusSection : SettingLayer::BuiltinAndPlusSection;
    value.text += (addition[0] == L' ' ? L"" : L" ") + addition;
  }
  TraceSetting(trace, section, key, value);
  return value;
}

}  // namespace launcher::settings
