#include "platform/file_replacement.h"
#include "platform/ini_file.h"
#include "platform/ini_value_edit.h"

namespace platform {

bool WriteIniString(const WideString& section, const WideString& key, const WideString& value, const WideString& path) {
  const FileBytes file = ReadWholeFile(path);
  // A file that is there but cannot be read must not be replaced by one that
  // holds nothing but this key.
  if (file.state == FileState::Unreadable) return false;
  const std::optional<std::string> edited =
      SetIniValue(file.bytes, section, key, value, SystemAnsiCodec(), kNewIniFileFormat);
  if (!edited) return false;
  if (file.state == FileState::Present && *edited == file.bytes) return true;
  return ReplaceFileContents(path, *edited);
}

}  // namespace platform
