#include "platform/file_system.h"

#include "platform/unique_handle.h"
#include "platform/windows_api.h"

namespace platform {
namespace {

struct FindHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type handle) { ::FindClose(handle); }
};

// Absolute paths longer than MAX_PATH - 1 need the long-path prefix.
WideString WithLongPathPrefix(const WideString& path) {
  if (path.size() < MAX_PATH || path.rfind(L"\\\\", 0) == 0 || path.size() < 2 || path[1] != L':') {
    return path;
  }
  return L"\\\\?\\" + path;
}

}  // namespace

bool FileExists(const WideString& path) {
  WIN32_FIND_DATAW data;
  UniqueHandle<FindHandleTraits> search(::FindFirstFileW(WithLongPathPrefix(path).c_str(), &data));
  return static_cast<bool>(search);
}

uint32_t MakeDirectory(const WideString& path) {
  return ::CreateDirectoryW(WithLongPathPrefix(path).c_str(), nullptr) ? 0 : ::GetLastError();
}

bool RemoveEmptyDirectory(const WideString& path) {
  return ::RemoveDirectoryW(WithLongPathPrefix(path).c_str()) != 0;
}

bool ChangeCurrentDirectory(const WideString& path) { return ::SetCurrentDirectoryW(path.c_str()) != 0; }

std::optional<WideStringList> FindFiles(const WideString& pattern) {
  WIN32_FIND_DATAW data;
  UniqueHandle<FindHandleTraits> search(::FindFirstFileW(WithLongPathPrefix(pattern).c_str(), &data));
  if (!search) return std::nullopt;
  WideStringList names;
  do {
    names.emplace_back(data.cFileName);
  } while (::FindNextFileW(search.Get(), &data));
  return names;
}

}  // namespace platform
