#include <algorithm>
#include <optional>
#include <utility>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/windows_api.h"

namespace launcher::platform {

using win32::File;
using win32::LastError;
using win32::LongPathForm;

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The most that one ReadFile or WriteFile is asked to move.
constexpr size_t kLargestTransfer = 0x40000000;

// FILETIME counts 100 ns from 1601; this many of them lie before 1970.
constexpr int64_t kIntervalsBefore1970 = 116444736000000000;

int64_t NanosecondsSince1970(const FILETIME& time) {
  const int64_t ticks = (static_cast<int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  return (ticks - kIntervalsBefore1970) * 100;
}

SystemResult<File> OpenFile(const WideString& path, DWORD access, DWORD share, DWORD disposition, DWORD flags = 0) {
  File file(::CreateFileW(LongPathForm(path).c_str(), access, share, nullptr, disposition,
                          flags | FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return LastError();
  return file;
}

SystemResult<std::string> ReadAll(HANDLE file) {
  std::string bytes;
  char chunk[4096];
  for (;;) {
    DWORD count = 0;
    if (!::ReadFile(file, chunk, sizeof chunk, &count, nullptr)) return LastError();
    if (count == 0) return bytes;
    bytes.append(chunk, count);
  }
}

SystemStatus WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min(bytes.size(), kLargestTransfer));
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) return LastError();
    if (written == 0) return SystemError{ERROR_WRITE_FAULT};
    bytes.remove_prefix(written);
  }
  return Done{};
}

SystemStatus MoveTo(HANDLE file, uint64_t offset) {
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(offset);
  if (!::SetFilePointerEx(file, position, nullptr, FILE_BEGIN)) return LastError();
  return Done{};
}

SystemStatus WriteAllAt(HANDLE file, uint64_t offset, std::string_view bytes) {
  if (SystemStatus moved = MoveTo(file, offset); !moved) return moved;
  return WriteAll(file, bytes);
}

SystemStatus Truncate(HANDLE file, uint64_t size) {
  if (SystemStatus moved = MoveTo(file, size); !moved) return moved;
  if (!::SetEndOfFile(file)) return LastError();
  return Done{};
}

SystemStatus Flush(HANDLE file) {
  if (!::FlushFileBuffers(file)) return LastError();
  return Done{};
}

// Read-only files can be neither replaced nor deleted until the attribute goes.
void ClearReadOnly(const WideString& longPath) { ::SetFileAttributesW(longPath.c_str(), FILE_ATTRIBUTE_NORMAL); }

// ---- Replacing a file's contents

// The file a path finally names, links and junctions followed; the path itself
// when that cannot be told (the file is missing).
WideString FinalPathOf(const WideString& path) {
  SystemResult<File> file = OpenFile(path, 0, kShareAll, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  if (!file) return path;
  const DWORD size = ::GetFinalPathNameByHandleW(file->Get(), nullptr, 0, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (size == 0) return path;
  WideString final(size, L'\0');
  const DWORD length =
      ::GetFinalPathNameByHandleW(file->Get(), final.data(), size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length == 0 || length >= size) return path;
  final.resize(length);
  return final;
}

SystemStatus CreateNew(const WideString& path, std::string_view bytes) {
  SystemResult<File> file = OpenFile(path, GENERIC_WRITE, 0, CREATE_NEW);
  if (!file) return file.error();
  SystemStatus written = WriteAll(file->Get(), bytes);
  if (written) written = Flush(file->Get());
  if (written) return written;
  file->Reset();
  ::DeleteFileW(LongPathForm(path).c_str());
  return written;
}

// A new file beside the target, named after it and this process.
SystemResult<std::pair<WideString, File>> MakeTemporaryBeside(const WideString& target) {
  SystemError error;
  for (DWORD attempt = 0; attempt < 100; ++attempt) {
    WideString name =
        target + L"." + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(attempt) + L".tmp";
    SystemResult<File> file = OpenFile(name, GENERIC_WRITE, 0, CREATE_NEW);
    if (file) return std::make_pair(std::move(name), std::move(*file));
    error = file.error();
    if (error.code != ERROR_FILE_EXISTS && error.code != ERROR_ALREADY_EXISTS) break;
  }
  return error;
}

// Where a new file cannot be made or filled, a rewrite in place may still succeed.
enum class Renaming { Done, TryInPlace };

// ReplaceFileW keeps the target's attributes, security and creation time.
SystemResult<Renaming> ReplaceByRename(const WideString& target, std::string_view bytes) {
  SystemResult<std::pair<WideString, File>> temporary = MakeTemporaryBeside(target);
  if (!temporary) {
    if (temporary.error().code == ERROR_ACCESS_DENIED) return Renaming::TryInPlace;
    return temporary.error();
  }
  const WideString name = LongPathForm(temporary->first);
  SystemStatus ready = WriteAll(temporary->second.Get(), bytes);
  if (ready) ready = Flush(temporary->second.Get());
  temporary->second.Reset();
  if (!ready) {
    ::DeleteFileW(name.c_str());
    const DWORD code = ready.error().code;
    if (code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL) return Renaming::TryInPlace;
    return ready.error();
  }
  if (!::ReplaceFileW(win32::ShortPathForm(target).c_str(), win32::ShortPathForm(temporary->first).c_str(), nullptr,
                      REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    const SystemError error = LastError();
    ::DeleteFileW(name.c_str());
    return error;
  }
  return Renaming::Done;
}

SystemStatus RewriteFile(const WideString& target, std::string_view bytes) {
  SystemResult<File> file = OpenFile(target, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING);
  if (!file) return file.error();
  const SystemResult<std::string> old = ReadAll(file->Get());
  if (!old) return old.error();
  const HANDLE handle = file->Get();
  return RewriteInPlace(
      *old, bytes,
      {[handle](uint64_t offset, std::string_view part) { return WriteAllAt(handle, offset, part); },
       [handle](uint64_t size) { return Truncate(handle, size); }, [handle] { return Flush(handle); }});
}

}  // namespace

// ---- Reading

SystemResult<std::string> ReadWholeFile(const WideString& path) {
  SystemResult<File> file = OpenFile(path, GENERIC_READ, kShareAll, OPEN_EXISTING);
  if (!file) return file.error();
  return ReadAll(file->Get());
}

SystemResult<std::string> ReadFileStart(const WideString& path, size_t limit) {
  SystemResult<File> file = OpenFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, OPEN_EXISTING);
  if (!file) return file.error();
  if (::GetFileType(file->Get()) != FILE_TYPE_DISK) return SystemError{ERROR_NOT_SUPPORTED};
  std::string bytes(limit, '\0');
  size_t filled = 0;
  while (filled < limit) {
    DWORD count = 0;
    const DWORD wanted = static_cast<DWORD>(std::min(limit - filled, kLargestTransfer));
    if (!::ReadFile(file->Get(), bytes.data() + filled, wanted, &count, nullptr)) return LastError();
    if (count == 0) break;
    filled += count;
  }
  bytes.resize(filled);
  return bytes;
}

// Declared in opening order, so they close view first, then mapping, then file.
struct MappedFile::View {
  File file;
  win32::Mapping mapping;
  win32::MappedView view;
};

SystemResult<MappedFile> MappedFile::Open(const WideString& path) {
  SystemResult<File> file = OpenFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  if (!file) return file.error();
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(file->Get(), &size)) return LastError();
  if (size.QuadPart == 0) return SystemError{ERROR_FILE_INVALID};
  win32::Mapping mapping(::CreateFileMappingW(file->Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping) return LastError();
  win32::MappedView view(::MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0));
  if (!view) return LastError();
  const std::string_view bytes(static_cast<const char*>(view.Get()), static_cast<size_t>(size.QuadPart));
  return MappedFile(std::make_shared<const View>(View{std::move(*file), std::move(mapping), std::move(view)}), bytes);
}

// ---- Writing

SystemStatus WriteFileBytes(const WideString& path, std::string_view bytes) {
  SystemResult<File> file = OpenFile(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
  if (!file) return file.error();
  if (SystemStatus written = WriteAll(file->Get(), bytes); !written) return written;
  if (!::CloseHandle(file->Release())) return LastError();
  return Done{};
}

SystemStatus ReplaceFileContents(const WideString& path, std::string_view bytes) {
  const WideString target = FinalPathOf(path);
  const DWORD attributes = ::GetFileAttributesW(LongPathForm(target).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const SystemError error = LastError();
    if (error.code != ERROR_FILE_NOT_FOUND) return error;
    return CreateNew(target, bytes);
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return SystemError{ERROR_DIRECTORY};
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return SystemError{ERROR_ACCESS_DENIED};
  const SystemResult<Renaming> renamed = ReplaceByRename(target, bytes);
  if (!renamed) return renamed.error();
  if (*renamed == Renaming::TryInPlace) return RewriteFile(target, bytes);
  return Done{};
}

struct AppendFile::Handle {
  File file;
};

SystemResult<AppendFile> AppendFile::Open(const WideString& path) {
  // Append access alone makes every write land at the end, whoever else writes.
  SystemResult<File> file = OpenFile(path, FILE_APPEND_DATA, kShareAll, OPEN_ALWAYS);
  if (!file) return file.error();
  return AppendFile(std::make_shared<const Handle>(Handle{std::move(*file)}));
}

SystemStatus AppendFile::Append(std::string_view bytes) const {
  DWORD written = 0;
  if (!::WriteFile(handle_->file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
    return LastError();
  }
  if (written != bytes.size()) return SystemError{ERROR_WRITE_FAULT};
  return Done{};
}

SystemStatus MoveFileReplacing(const WideString& from, const WideString& to) {
  const WideString target = LongPathForm(to);
  ClearReadOnly(target);
  if (!::MoveFileExW(LongPathForm(from).c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return LastError();
  return Done{};
}

SystemStatus RemoveFile(const WideString& path) {
  const WideString longPath = LongPathForm(path);
  ClearReadOnly(longPath);
  if (!::DeleteFileW(longPath.c_str())) return LastError();
  return Done{};
}

SystemStatus SetModificationTime(const WideString& path, int64_t secondsSince1970) {
  SystemResult<File> file = OpenFile(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  if (!file) return file.error();
  const uint64_t ticks = static_cast<uint64_t>(secondsSince1970 * 10000000 + kIntervalsBefore1970);
  const FILETIME time{.dwLowDateTime = static_cast<DWORD>(ticks), .dwHighDateTime = static_cast<DWORD>(ticks >> 32)};
  if (!::SetFileTime(file->Get(), nullptr, nullptr, &time)) return LastError();
  return Done{};
}

// ---- Folders

SystemResult<FolderCreation> MakeFolder(const WideString& path) {
  if (::CreateDirectoryW(LongPathForm(path).c_str(), nullptr)) return FolderCreation::Made;
  const SystemError error = LastError();
  if (error.code == ERROR_ALREADY_EXISTS) return FolderCreation::AlreadyThere;
  return error;
}

SystemStatus RemoveEmptyFolder(const WideString& path) {
  if (!::RemoveDirectoryW(LongPathForm(path).c_str())) return LastError();
  return Done{};
}

SystemStatus ChangeCurrentFolder(const WideString& path) {
  if (!::SetCurrentDirectoryW(path.c_str())) return LastError();
  return Done{};
}

std::optional<WideStringList> FindFiles(const WideString& pattern) {
  WIN32_FIND_DATAW data;
  win32::FindSearch search(::FindFirstFileW(LongPathForm(pattern).c_str(), &data));
  if (!search) return std::nullopt;
  WideStringList names;
  do {
    names.emplace_back(data.cFileName);
  } while (::FindNextFileW(search.Get(), &data));
  return names;
}

// ---- What a path names

bool FileExists(const WideString& path) {
  WIN32_FIND_DATAW data;
  win32::FindSearch search(::FindFirstFileW(LongPathForm(path).c_str(), &data));
  return static_cast<bool>(search);
}

// The path as given, not in its long-path form: the short form is for
// programs that take paths in the ANSI code page, which know no such prefix.
SystemResult<WideString> ShortPathForm(const WideString& path) {
  WideString shortPath(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (length == 0) return LastError();
    if (length < shortPath.size()) {
      shortPath.resize(length);
      return shortPath;
    }
    shortPath.resize(length);  // the size asked for, its terminator included
  }
}

std::optional<uint64_t> RegularFileSize(const WideString& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(LongPathForm(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
    return std::nullopt;
  }
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

FileIdentity QueryFileIdentity(const WideString& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(LongPathForm(path).c_str(), GetFileExInfoStandard, &data)) return {};
  const uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return {true, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0, size,
          NanosecondsSince1970(data.ftLastWriteTime)};
}

namespace {

// The volume and the file's index on it.
std::optional<std::pair<DWORD, uint64_t>> FileKey(const WideString& path) {
  SystemResult<File> file = OpenFile(path, 0, kShareAll, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  BY_HANDLE_FILE_INFORMATION information;
  if (!file || !::GetFileInformationByHandle(file->Get(), &information)) return std::nullopt;
  return std::pair{information.dwVolumeSerialNumber,
                   (uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow};
}

}  // namespace

bool IsSameFile(const WideString& a, const WideString& b) {
  std::optional<std::pair<DWORD, uint64_t>> first = FileKey(a);
  return first && first == FileKey(b);
}

// ---- The long-path rule, and paths the system completes

namespace {

// GetFullPathNameW's answer; the path itself when there is none.
WideString FullPathOf(const WideString& path) {
  DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  WideString full(size, L'\0');
  size = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (size == 0 || size >= full.size()) return path;
  full.resize(size);
  return full;
}

WideString ShortPathOf(const WideString& path) {
  DWORD size = ::GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return {};
  WideString shortPath(size, L'\0');
  size = ::GetShortPathNameW(path.c_str(), shortPath.data(), size);
  shortPath.resize(size);
  return shortPath;
}

}  // namespace

namespace win32 {

WideString LongPathForm(const WideString& path) {
  if (path.size() < MAX_PATH || path.rfind(L"\\\\?\\", 0) == 0) return path;
  const WideString full = FullPathOf(path);
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

WideString ShortPathForm(const WideString& path) {
  if (path.size() < MAX_PATH) return path;
  WideString shortPath = ShortPathOf(path);
  if (shortPath.empty()) {
    const size_t separator = path.rfind(L'\\');
    if (separator != WideString::npos) {
      WideString folder = ShortPathOf(path.substr(0, separator));
      if (!folder.empty()) shortPath = folder + path.substr(separator);
    }
  }
  return !shortPath.empty() && shortPath.size() < MAX_PATH ? shortPath : LongPathForm(path);
}

}  // namespace win32

WideString FixedToCurrentFolder(const WideString& path) { return path.empty() ? path : FullPathOf(path); }
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
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return FileFailure::NotFound;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return FileFailure::NameTaken;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileFailure::DiskFull;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_ACCESS_DENIED:
      return FileFailure::HeldByAnotherProgram;
    default:
      return FileFailure::Other;
  }
}

// ---- Trees

namespace {

HANDLE HandleOf(const FileHandle& file) { return reinterpret_cast<HANDLE>(file.Get()); }

FileHandle OwnFile(HANDLE handle) { return FileHandle(reinterpret_cast<intptr_t>(handle)); }

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
  if (!search) return LastError();
  do {
    const WideString name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (SystemStatus done = visit(name, found); !done) return done;
  } while (::FindNextFileW(search.Get(), &found));
  return ::GetLastError() == ERROR_NO_MORE_FILES ? SystemStatus(Done{}) : LastError();
}

SystemStatus RemoveOne(const WideString& path, DWORD attributes) {
  const WideString name = LongPathForm(path);
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) ::SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
  const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const BOOL removed = folder ? ::RemoveDirectoryW(name.c_str()) : ::DeleteFileW(name.c_str());
  return removed ? SystemStatus(Done{}) : LastError();
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
  FileHandle file = OwnFile(::CreateFileW(LongPathForm(path).c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file || !::FlushFileBuffers(HandleOf(file))) return LastError();
  return Done{};
}

}  // namespace

void FileHandleTraits::Close(Type file) { ::CloseHandle(reinterpret_cast<HANDLE>(file)); }

SystemResult<WritableFile> WritableFile::CreateNew(const WideString& path, FilePermissions) {
  // CREATE_NEW fails on a link of that name as on any other file.
  FileHandle file = OwnFile(::CreateFileW(LongPathForm(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return LastError();
  return WritableFile(std::move(file), 0);
}

SystemResult<WritableFile> WritableFile::OpenForAppend(const WideString& path) {
  FileHandle file = OwnFile(::CreateFileW(LongPathForm(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) return LastError();
  BY_HANDLE_FILE_INFORMATION information;
  if (!::GetFileInformationByHandle(HandleOf(file), &information)) return LastError();
  if ((information.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return SystemError{ERROR_INVALID_PARAMETER};
  }
  LARGE_INTEGER end{};
  if (!::SetFilePointerEx(HandleOf(file), LARGE_INTEGER{}, &end, FILE_END)) return LastError();
  return WritableFile(std::move(file), static_cast<uint64_t>(end.QuadPart));
}

SystemStatus WritableFile::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD piece = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    if (!::WriteFile(HandleOf(file_), bytes.data(), piece, &written, nullptr)) return LastError();
    if (written == 0) return SystemError{ERROR_DISK_FULL};
    bytes.remove_prefix(written);
    size_ += written;
  }
  return Done{};
}

SystemStatus WritableFile::Truncate() {
  if (!::SetFilePointerEx(HandleOf(file_), LARGE_INTEGER{}, nullptr, FILE_BEGIN) || !::SetEndOfFile(HandleOf(file_))) {
    return LastError();
  }
  size_ = 0;
  return Done{};
}

SystemResult<ReadableFile> ReadableFile::Open(const WideString& path) {
  FileHandle file = OwnFile(::CreateFileW(LongPathForm(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return LastError();
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(HandleOf(file), &size)) return LastError();
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
    if (!::ReadFile(HandleOf(file_), buffer.data() + filled, piece, &count, &at)) {
      if (::GetLastError() == ERROR_HANDLE_EOF) break;
      return LastError();
    }
    if (count == 0) break;
    filled += count;
  }
  return filled;
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
    return LastError();
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
  if (!::CreateSymbolicLinkW(LongPathForm(path).c_str(), written.c_str(), flags)) return LastError();
  return Done{};
}

SystemStatus RenameEntry(const WideString& from, const WideString& to) {
  if (!::MoveFileExW(LongPathForm(from).c_str(), LongPathForm(to).c_str(), 0)) return LastError();
  return Done{};
}

SystemStatus RemoveTree(const WideString& path) {
  const DWORD attributes = ::GetFileAttributesW(LongPathForm(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return IsNotFound(LastError()) ? SystemStatus(Done{}) : LastError();
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
  if (!::GetDiskFreeSpaceExW(WithTrailingSeparator(folder).c_str(), &available, nullptr, nullptr)) return LastError();
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
  FileHandle file = OwnFile(::CreateFileW(LongPathForm(path).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) return LastError();
  OVERLAPPED whole{};
  if (!::LockFileEx(HandleOf(file), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
    if (::GetLastError() == ERROR_LOCK_VIOLATION) return std::optional<FileLock>();
    return LastError();
  }
  return std::optional<FileLock>(FileLock(std::move(file)));
}

}  // namespace launcher::platform
