#include "platform/file_tree.h"

#include <algorithm>

#include "platform/path_parts.h"
#include "platform/win32_handles.h"
#include "platform/win32_long_path.h"
#include "platform/windows_api.h"

namespace platform {
namespace {

using win32::LongPathForm;

SystemError Error() { return SystemError{::GetLastError()}; }

HANDLE Handle(const OpenFile& file) { return reinterpret_cast<HANDLE>(file.Get()); }

OpenFile Own(HANDLE handle) { return OpenFile(reinterpret_cast<intptr_t>(handle)); }

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

int64_t NanosecondsSince1970(const FILETIME& time) {
  // FILETIME counts 100 ns from 1601.
  constexpr int64_t kFrom1601 = 116444736000000000;
  const int64_t ticks = (static_cast<int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  return (ticks - kFrom1601) * 100;
}

EntryType TypeOf(DWORD attributes) {
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return EntryType::Link;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EntryType::Folder : EntryType::File;
}

// Calls visit for every entry of a folder.
template <typename Visit>
SystemStatus ForEachEntry(const WideString& folder, Visit visit) {
  WIN32_FIND_DATAW found;
  win32::FindSearch search(::FindFirstFileExW(LongPathForm(WithTrailingSeparator(folder) + L"*").c_str(),
                                              FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0));
  if (!search) return Error();
  do {
    const WideString name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (SystemStatus done = visit(name, found); !done) return done;
  } while (::FindNextFileW(search.Get(), &found));
  return ::GetLastError() == ERROR_NO_MORE_FILES ? SystemStatus(Done{}) : Error();
}

SystemStatus RemoveOne(const WideString& path, DWORD attributes) {
  const WideString name = LongPathForm(path);
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) ::SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
  const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const BOOL removed = folder ? ::RemoveDirectoryW(name.c_str()) : ::DeleteFileW(name.c_str());
  return removed ? SystemStatus(Done{}) : Error();
}

SystemStatus RemoveContents(const WideString& folder) {
  return ForEachEntry(folder, [&](const WideString& name, const WIN32_FIND_DATAW& found) -> SystemStatus {
    const WideString path = WithTrailingSeparator(folder) + name;
    // A link to a folder (or a junction) goes as itself, its target untouched.
    if (TypeOf(found.dwFileAttributes) == EntryType::Folder) {
      if (SystemStatus emptied = RemoveContents(path); !emptied) return emptied;
    }
    return RemoveOne(path, found.dwFileAttributes);
  });
}

SystemStatus FlushFile(const WideString& path) {
  OpenFile file = Own(::CreateFileW(LongPathForm(path).c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file || !::FlushFileBuffers(Handle(file))) return Error();
  return Done{};
}

}  // namespace

void OpenFileTraits::Close(Type file) { ::CloseHandle(reinterpret_cast<HANDLE>(file)); }

FileErrorKind KindOf(SystemError error) {
  switch (error.code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return FileErrorKind::NotFound;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return FileErrorKind::AlreadyExists;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileErrorKind::DiskFull;
    default:
      return FileErrorKind::Other;
  }
}

SystemResult<WritableFile> WritableFile::CreateNew(const WideString& path, FilePermissions) {
  // CREATE_NEW fails on a link of that name as on any other file.
  OpenFile file = Own(::CreateFileW(LongPathForm(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return Error();
  return WritableFile(std::move(file), 0);
}

SystemResult<WritableFile> WritableFile::OpenForAppend(const WideString& path) {
  OpenFile file = Own(::CreateFileW(LongPathForm(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) return Error();
  BY_HANDLE_FILE_INFORMATION information;
  if (!::GetFileInformationByHandle(Handle(file), &information)) return Error();
  if ((information.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return SystemError{ERROR_INVALID_PARAMETER};
  }
  LARGE_INTEGER end{};
  if (!::SetFilePointerEx(Handle(file), LARGE_INTEGER{}, &end, FILE_END)) return Error();
  return WritableFile(std::move(file), static_cast<uint64_t>(end.QuadPart));
}

SystemStatus WritableFile::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD piece = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    if (!::WriteFile(Handle(file_), bytes.data(), piece, &written, nullptr)) return Error();
    if (written == 0) return SystemError{ERROR_DISK_FULL};
    bytes.remove_prefix(written);
    size_ += written;
  }
  return Done{};
}

SystemStatus WritableFile::Truncate() {
  if (!::SetFilePointerEx(Handle(file_), LARGE_INTEGER{}, nullptr, FILE_BEGIN) || !::SetEndOfFile(Handle(file_))) {
    return Error();
  }
  size_ = 0;
  return Done{};
}

SystemResult<ReadableFile> ReadableFile::Open(const WideString& path) {
  OpenFile file = Own(::CreateFileW(LongPathForm(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return Error();
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(Handle(file), &size)) return Error();
  return ReadableFile(std::move(file), static_cast<uint64_t>(size.QuadPart));
}

SystemResult<size_t> ReadableFile::ReadAt(uint64_t offset, std::span<char> buffer) const {
  size_t filled = 0;
  while (filled < buffer.size()) {
    OVERLAPPED at{};
    const uint64_t position = offset + filled;
    at.Offset = static_cast<DWORD>(position);
    at.OffsetHigh = static_cast<DWORD>(position >> 32);
    DWORD count = 0;
    const DWORD piece = static_cast<DWORD>(std::min<size_t>(buffer.size() - filled, 1u << 30));
    if (!::ReadFile(Handle(file_), buffer.data() + filled, piece, &count, &at)) {
      if (::GetLastError() == ERROR_HANDLE_EOF) break;
      return Error();
    }
    if (count == 0) break;
    filled += count;
  }
  return filled;
}

SystemStatus MakeFolder(const WideString& path) {
  if (!::CreateDirectoryW(LongPathForm(path).c_str(), nullptr)) return Error();
  return Done{};
}

SystemStatus MakeFolders(const WideString& path) {
  const DWORD attributes = ::GetFileAttributesW(LongPathForm(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? SystemStatus(Done{}) : SystemError{ERROR_ALREADY_EXISTS};
  }
  const WideString parent = ParentOf(path);
  if (!parent.empty() && parent != path && parent.back() != L':') {
    if (SystemStatus made = MakeFolders(parent); !made) return made;
  }
  if (!::CreateDirectoryW(LongPathForm(path).c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
    return Error();
  }
  return Done{};
}

SystemStatus MakeSymbolicLink(const WideString& path, const WideString& target) {
  WideString written = target;
  std::replace(written.begin(), written.end(), L'/', L'\\');
  const DWORD attributes = ::GetFileAttributesW(LongPathForm(WithTrailingSeparator(ParentOf(path)) + written).c_str());
  DWORD flags = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE: developer mode needs no privilege
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    flags |= SYMBOLIC_LINK_FLAG_DIRECTORY;
  }
  if (!::CreateSymbolicLinkW(LongPathForm(path).c_str(), written.c_str(), flags)) return Error();
  return Done{};
}

SystemStatus RenameEntry(const WideString& from, const WideString& to) {
  if (!::MoveFileExW(LongPathForm(from).c_str(), LongPathForm(to).c_str(), 0)) return Error();
  return Done{};
}

SystemStatus RemoveTree(const WideString& path) {
  const DWORD attributes = ::GetFileAttributesW(LongPathForm(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return KindOf(Error()) == FileErrorKind::NotFound ? SystemStatus(Done{}) : Error();
  }
  if (TypeOf(attributes) == EntryType::Folder) {
    if (SystemStatus emptied = RemoveContents(path); !emptied) return emptied;
  }
  return RemoveOne(path, attributes);
}

SystemResult<std::vector<FolderEntry>> ListFolder(const WideString& folder) {
  std::vector<FolderEntry> entries;
  SystemStatus listed = ForEachEntry(folder, [&](const WideString& name, const WIN32_FIND_DATAW& found) {
    entries.push_back({.name = name,
                       .type = TypeOf(found.dwFileAttributes),
                       .modified = NanosecondsSince1970(found.ftLastWriteTime)});
    return SystemStatus(Done{});
  });
  if (!listed) return listed.error();
  return entries;
}

SystemResult<uint64_t> FreeDiskSpace(const WideString& folder) {
  ULARGE_INTEGER available{};
  if (!::GetDiskFreeSpaceExW(WithTrailingSeparator(folder).c_str(), &available, nullptr, nullptr)) return Error();
  return static_cast<uint64_t>(available.QuadPart);
}

SystemStatus FlushTree(const WideString& folder) {
  // Without administrator rights a volume cannot be flushed whole: file by file.
  return ForEachEntry(folder, [&](const WideString& name, const WIN32_FIND_DATAW& found) -> SystemStatus {
    const WideString path = WithTrailingSeparator(folder) + name;
    switch (TypeOf(found.dwFileAttributes)) {
      case EntryType::Folder:
        return FlushTree(path);
      case EntryType::File:
        return FlushFile(path);
      default:
        return Done{};
    }
  });
}

SystemResult<std::optional<FileLock>> FileLock::TryTake(const WideString& path) {
  OpenFile file = Own(::CreateFileW(LongPathForm(path).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) return Error();
  OVERLAPPED whole{};
  if (!::LockFileEx(Handle(file), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
    if (::GetLastError() == ERROR_LOCK_VIOLATION) return std::optional<FileLock>();
    return Error();
  }
  return std::optional<FileLock>(FileLock(std::move(file)));
}

}  // namespace platform
