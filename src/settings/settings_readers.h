#pragma once

#include "common/trace.h"
#include "platform/ini.h"
#include "platform/wide_string.h"
#include "settings/builtin_settings.h"

namespace launcher::settings {

// Where a setting's value came from.
enum class SettingLayer {
  None,                   // nowhere: the value is empty
  Builtin,                // the settings the executable carries
  SettingsFile,           // the settings file beside the executable
  PlusSection,            // the file's "<section>+", with no built-in value under it
  BuiltinAndPlusSection,  // the built-in value with the file's "<section>+" value appended
  PerUserFile,            // the per-user settings file
};

// The name a trace gives a layer: "built-in", "settings-file", ...
const char* LayerName(SettingLayer layer);

struct SettingValue {
  WideString text;
  SettingLayer layer = SettingLayer::None;
};

// Reads values of one INI file as GetPrivateProfileStringW does, whole whatever
// their length; a missing file, section or key gives "", and so does every key
// of a file that is not to be read (an IniFile of no file). Every non-empty
// value it reads is written to the trace as coming from its layer.
struct PlainReader {
  platform::IniFile file;
  Trace& trace = NoTrace();
  SettingLayer layer = SettingLayer::SettingsFile;

  WideString ReadPlain(const WideString& section, const WideString& key) const;
};

// Reads values over two layers: the built-in settings, replaced by a non-empty
// value of the file; failing that, the file's "<section>+" value is appended to
// the built-in one after a space. Every non-empty value it reads is written to
// the trace with the layers it came from.
struct LayeredReader {
  platform::IniFile file;  // of no file: only the built-in layer
  BuiltinSettings builtin;
  Trace& trace = NoTrace();

  SettingValue ReadValue(const WideString& section, const WideString& key) const;
  WideString ReadLayered(const WideString& section, const WideString& key) const {
    return ReadValue(section, key).text;
  }
};

// Writes the line of a value read (nothing for an empty one).
void TraceSetting(Trace& trace, const WideString& section, const WideString& key, const SettingValue& value);

}  // namespace launcher::settings
