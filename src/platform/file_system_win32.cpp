#include "platform/file_system.h"

#include "platform/windows_api.h"

namespace platform {
bool FileExists(const WideString& path) {
  WIN32_FIND_DATAW data;
  win32::FindSearch search(::FindFirstFileW(win32::LongPathForm(path).c_str(), &data));
  return static_cast<bool>(search);
}

std::optional<uint64_t> RegularFileSize(const WideString& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(win32::LongPathForm(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
    return std::nullopt;
  }
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

uint32_t MakeDirectory(const WideString& path) {
  return ::CreateDirectoryW(win32::LongPathForm(path).c_str(), nullptr) ? 0 : ::GetLastError();
}

bool RemoveEmptyDirectory(const WideString& path) { return ::RemoveDirectoryW(win32::LongPathForm(path).c_str()) != 0; }

bool ChangeCurrentDirectory(const WideString& path) { return ::SetCurrentDirectoryW(path.c_str()) != 0; }

std::optional<WideStringList> FindFiles(const WideString& pattern) {
  WIN32_FIND_DATAW data;
  win32::FindSearch search(::FindFirstFileW(win32::LongPathForm(pattern).c_str(), &data));
  if (!search) return std::nullopt;
  WideStringList names;
  do {
    names.emplace_back(data.cFileName);
  } while (::FindNextFileW(search.Get(), &data));
  return names;
}

}  // namespace platform
