#include "platform/file_replacement.h"

#include <algorithm>
#include <optional>
#include <string>

#include "platform/in_place_rewrite.h"
#include "platform/windows_api.h"

namespace platform {
namespace {

using win32::File;
using win32::LongPathForm;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::optional<std::string> ReadAll(HANDLE file) {
  std::string bytes;
  char chunk[4096];
  for (;;) {
    DWORD count = 0;
    if (!::ReadFile(file, chunk, sizeof chunk, &count, nullptr)) return std::nullopt;
    if (count == 0) return bytes;
    bytes.append(chunk, count);
  }
}

bool WriteAllAt(HANDLE file, uint64_t offset, std::string_view bytes) {
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(offset);
  if (!::SetFilePointerEx(file, position, nullptr, FILE_BEGIN)) return false;
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

bool Truncate(HANDLE file, uint64_t size) {
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(size);
  return ::SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
}

// The file a path finally names, links and junctions followed; the path itself
// when that cannot be told (the file is missing).
WideString FinalPathOf(const WideString& path) {
  File file(::CreateFileW(LongPathForm(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                          nullptr));
  if (!file) return path;
  const DWORD size = ::GetFinalPathNameByHandleW(file.Get(), nullptr, 0, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (size == 0) return path;
  WideString final(size, L'\0');
  const DWORD length =
      ::GetFinalPathNameByHandleW(file.Get(), final.data(), size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length == 0 || length >= size) return path;
  final.resize(length);
  return final;
}

bool CreateNew(const WideString& path, std::string_view bytes) {
  const WideString name = LongPathForm(path);
  File file(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  if (WriteAllAt(file.Get(), 0, bytes) && ::FlushFileBuffers(file.Get())) return true;
  file.Reset();
  ::DeleteFileW(name.c_str());
  return false;
}

enum class Outcome { Done, Failed, TryInPlace };

// A new file beside the target, named after it and this process; nullopt when
// none can be made.
std::optional<std::pair<WideString, File>> MakeTemporaryBeside(const WideString& target, DWORD& error) {
  for (DWORD attempt = 0; attempt < 100; ++attempt) {
    WideString name =
        target + L"." + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(attempt) + L".tmp";
    File file(::CreateFileW(LongPathForm(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                            nullptr));
    if (file) return std::make_pair(std::move(name), std::move(file));
    error = ::GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return std::nullopt;
  }
  return std::nullopt;
}

// ReplaceFileW keeps the target's attributes, security and creation time.
Outcome ReplaceByRename(const WideString& target, std::string_view bytes) {
  DWORD error = 0;
  std::optional<std::pair<WideString, File>> temporary = MakeTemporaryBeside(target, error);
  if (!temporary) return error == ERROR_ACCESS_DENIED ? Outcome::TryInPlace : Outcome::Failed;
  const WideString name = LongPathForm(temporary->first);
  const bool written = WriteAllAt(temporary->second.Get(), 0, bytes);
  error = ::GetLastError();
  const bool ready = written && ::FlushFileBuffers(temporary->second.Get());
  temporary->second.Reset();
  if (!ready) {
    ::DeleteFileW(name.c_str());
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL ? Outcome::TryInPlace : Outcome::Failed;
  }
  if (!::ReplaceFileW(win32::ShortPathForm(target).c_str(), win32::ShortPathForm(temporary->first).c_str(), nullptr,
                      REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    ::DeleteFileW(name.c_str());
    return Outcome::Failed;
  }
  return Outcome::Done;
}

bool RewriteFile(const WideString& target, std::string_view bytes) {
  File file(::CreateFileW(LongPathForm(target).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  const std::optional<std::string> old = ReadAll(file.Get());
  if (!old) return false;
  const HANDLE handle = file.Get();
  return RewriteInPlace(*old, bytes,
                        {[handle](uint64_t offset, std::string_view part) { return WriteAllAt(handle, offset, part); },
                         [handle](uint64_t size) { return Truncate(handle, size); },
                         [handle] { return ::FlushFileBuffers(handle) != 0; }});
}

}  // namespace

FileBytes ReadWholeFile(const WideString& path) {
  File file(::CreateFileW(LongPathForm(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = ::GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return {missing ? FileState::Missing : FileState::Unreadable, {}};
  }
  std::optional<std::string> bytes = ReadAll(file.Get());
  if (!bytes) return {FileState::Unreadable, {}};
  return {FileState::Present, std::move(*bytes)};
}

bool ReplaceFileContents(const WideString& path, std::string_view bytes) {
  const WideString target = FinalPathOf(path);
  const DWORD attributes = ::GetFileAttributesW(LongPathForm(target).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    return (error == ERROR_FILE_NOT_FOUND) && CreateNew(target, bytes);
  }
  if ((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) return false;
  switch (ReplaceByRename(target, bytes)) {
    case Outcome::Done:
      return true;
    case Outcome::TryInPlace:
      return RewriteFile(target, bytes);
    case Outcome::Failed:
      break;
  }
  return false;
}

}  // namespace platform
