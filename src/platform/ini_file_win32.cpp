#include "platform/ini_file.h"

#include "platform/ini_encoding.h"
#include "platform/windows_api.h"

namespace platform {

// A new file holds UTF-16LE with its byte-order mark: GetPrivateProfileStringW
// reads a file without one in the ANSI code page, where a runtime path with
// other characters would turn into question marks.
const IniFileFormat kNewIniFileFormat{IniEncoding::Utf16Le, L"\r\n"};

uint32_t ReadIniString(const WideString& section, const WideString& key, wchar_t* buffer, uint32_t size,
                       const WideString& path) {
  return ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer, size,
                                    win32::ShortPathForm(path).c_str());
}

}  // namespace platform
