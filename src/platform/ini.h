#pragma once

#include <memory>

#include "platform/expected.h"
#include "platform/wide_string.h"

namespace launcher::platform {

// A settings file, opened once and asked for values as GetPrivateProfileStringW
// answers them (the system's own function on Windows, the same rules on
// POSIX): section and key names match without regard to the case of ASCII
// letters, white space around names and values is trimmed and one pair of
// surrounding quotes is removed from a value; a missing file, section or key
// gives "". Copies share what was read.
class IniFile {
 public:
  // No file: every value is "".
  IniFile() = default;

  // On POSIX the file's lines are read here, once; on Windows each value is
  // asked of the system.
  static IniFile Open(const WideString& path);

  // The value of [section] key, whole whatever its length.
  WideString Value(const WideString& section, const WideString& key) const;

 private:
  struct Contents;
  explicit IniFile(std::shared_ptr<const Contents> contents) : contents_(std::move(contents)) {}

  std::shared_ptr<const Contents> contents_;
};

// Sets one key of the INI file at path, as SetIniValue (ini_format.h) says: the
// file keeps every other byte, the key and section are added when missing, and
// a missing file is created in the system's format for new files. The file is
// replaced as ReplaceFileContents (files.h) says, so that a failed write leaves
// it as it was; a file that is there but cannot be read is left alone.
SystemStatus WriteIniValue(const WideString& path, const WideString& section, const WideString& key,
                           const WideString& value);

}  // namespace launcher::platform
