#include "platform/win32_long_path.h"

#include "platform/windows_api.h"

namespace platform::win32 {
namespace {

WideString FullPathOf(const WideString& path) {
  DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  WideString full(size, L'\0');
  size = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (size == 0 || size >= full.size()) return path;
  full.resize(size);
  return full;
}

}  // namespace

WideString LongPathForm(const WideString& path) {
  if (path.size() < MAX_PATH || path.rfind(L"\\\\?\\", 0) == 0) return path;
  const WideString full = FullPathOf(path);
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

}  // namespace platform::win32
