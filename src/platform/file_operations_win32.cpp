#include "platform/file_operations.h"

#include <algorithm>

#include "platform/win32_handles.h"
#include "platform/win32_long_path.h"

namespace platform {
namespace {

// Read-only files can be neither replaced nor deleted until the attribute goes.
void ClearReadOnly(const WideString& longPath) { ::SetFileAttributesW(longPath.c_str(), FILE_ATTRIBUTE_NORMAL); }

}  // namespace

std::string ReadFileStart(const WideString& path, size_t limit) {
  win32::File file(::CreateFileW(win32::LongPathForm(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file || ::GetFileType(file.Get()) != FILE_TYPE_DISK) return {};
  std::string bytes(limit, '\0');
  size_t filled = 0;
  while (filled < limit) {
    DWORD count = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<size_t>(limit - filled, 0x40000000));
    if (!::ReadFile(file.Get(), bytes.data() + filled, wanted, &count, nullptr) || count == 0) break;
    filled += count;
  }
  bytes.resize(filled);
  return bytes;
}

bool WriteFileBytes(const WideString& path, std::string_view bytes) {
  win32::File file(::CreateFileW(win32::LongPathForm(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes.size());
    DWORD count = 0;
    if (!::WriteFile(file.Get(), bytes.data(), chunk, &count, nullptr) || count == 0) return false;
    bytes.remove_prefix(count);
  }
  return ::CloseHandle(file.Release()) != 0;
}

bool MoveFileReplacing(const WideString& from, const WideString& to) {
  const WideString target = win32::LongPathForm(to);
  ClearReadOnly(target);
  return ::MoveFileExW(win32::LongPathForm(from).c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool RemoveFile(const WideString& path) {
  const WideString longPath = win32::LongPathForm(path);
  ClearReadOnly(longPath);
  return ::DeleteFileW(longPath.c_str()) != 0;
}

SystemStatus CreateFileWithBytes(const WideString& path, std::string_view bytes) {
  const WideString name = win32::LongPathForm(path);
  // CREATE_NEW fails on any existing name, a link or junction included.
  win32::File file(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return SystemError{::GetLastError()};
  DWORD failure = ERROR_SUCCESS;
  while (failure == ERROR_SUCCESS && !bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 0x40000000));
    DWORD count = 0;
    if (!::WriteFile(file.Get(), bytes.data(), chunk, &count, nullptr)) failure = ::GetLastError();
    if (failure == ERROR_SUCCESS && count == 0) failure = ERROR_DISK_FULL;
    bytes.remove_prefix(count);
  }
  if (failure == ERROR_SUCCESS && !::FlushFileBuffers(file.Get())) failure = ::GetLastError();
  if (failure == ERROR_SUCCESS && !::CloseHandle(file.Release())) failure = ::GetLastError();
  if (failure == ERROR_SUCCESS) return Done{};
  file.Reset();
  ::DeleteFileW(name.c_str());
  return SystemError{failure};
}

SystemStatus RenameReplacing(const WideString& from, const WideString& to) {
  if (::MoveFileExW(win32::LongPathForm(from).c_str(), win32::LongPathForm(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return Done{};
  }
  return SystemError{::GetLastError()};
}

bool IsReadOnlyFile(const WideString& path) {
  const DWORD attributes = ::GetFileAttributesW(win32::LongPathForm(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

FileFailure ClassifyFileFailure(SystemError error) {
  switch (error.code) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return FileFailure::NameTaken;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_ACCESS_DENIED:
      return FileFailure::HeldByAnotherProgram;
    default:
      return FileFailure::Other;
  }
}

}  // namespace platform
