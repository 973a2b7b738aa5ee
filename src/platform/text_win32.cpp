#include "platform/text.h"
#include "platform/windows_api.h"

namespace launcher::platform {

std::string ToAnsi(std::wstring_view text) {
  if (text.empty()) return {};
  int size =
      ::WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) {
    ::WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                          nullptr);
  }
  return out;
}

WideString FromAnsi(std::string_view bytes) {
  if (bytes.empty()) return {};
  int size = ::MultiByteToWideChar(CP_THREAD_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  WideString out(static_cast<size_t>(size > 0 ? size : 0), L'\0');
  if (size > 0) {
    ::MultiByteToWideChar(CP_THREAD_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), size);
  }
  return out;
}

void UseSystemLocaleForThread() { ::SetThreadLocale(::GetSystemDefaultLCID()); }

}  // namespace launcher::platform
