#include "platform/ini.h"
#include "platform/ini_format.h"
#include "platform/windows_api.h"

namespace launcher::platform {

// A new file holds UTF-16LE with its byte-order mark: GetPrivateProfileStringW
// reads a file without one in the ANSI code page, where a runtime path with
// other characters would turn into question marks.
const IniFileFormat kNewIniFileFormat{IniEncoding::Utf16Le, L"\r\n"};
const SystemError kSettingNotStorable{ERROR_INVALID_DATA};

// The system reads the file at each question; the path is made fit for it once.
struct IniFile::Contents {
  WideString path;
};

IniFile IniFile::Open(const WideString& path) {
  return IniFile(std::make_shared<const Contents>(Contents{win32::ShortPathForm(path)}));
}

// GetPrivateProfileStringW copies at most size - 1 characters and says how many
// it copied: the buffer doubles until the value fits with room to spare, as a
// value one or two characters short of full may have been cut (Wine cuts a
// quoted value that exactly fits by its last character).
WideString IniFile::Value(const WideString& section, const WideString& key) const {
  if (!contents_) return {};
  WideString buffer(256, L'\0');
  for (;;) {
    const DWORD length = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(),
                                                    static_cast<DWORD>(buffer.size()), contents_->path.c_str());
    if (length + 2 < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace launcher::platform
