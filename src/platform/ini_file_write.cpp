#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/ini_value_edit.h"

namespace platform {

bool WriteIniString(const WideString& section, const WideString& key, const WideString& value, const WideString& path) {
  SystemResult<std::string> file = ReadWholeFile(path);
  // A file that is there but cannot be read must not be replaced by one that
  // holds nothing but this key.
  if (!file && !IsNotFound(file.error())) return false;
  const std::string old = file ? std::move(*file) : std::string();
  const std::optional<std::string> edited = SetIniValue(old, section, key, value, SystemAnsiCodec(), kNewIniFileFormat);
  if (!edited) return false;
  if (file && *edited == old) return true;
  return static_cast<bool>(ReplaceFileContents(path, *edited));
}

}  // namespace platform
