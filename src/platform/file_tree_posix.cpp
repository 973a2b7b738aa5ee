#include "platform/file_tree.h"

#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>

#include "platform/path_parts.h"
#include "platform/posix_handles.h"
#include "platform/unicode.h"

namespace platform {
namespace {

SystemError Error() { return SystemError{static_cast<uint32_t>(errno)}; }

int Descriptor(const OpenFile& file) { return static_cast<int>(file.Get()); }

OpenFile Own(int descriptor) { return OpenFile(descriptor); }

int RemoveOne(const char* path, const struct stat*, int, FTW*) {
  return ::remove(path) == 0 || errno == ENOENT ? 0 : -1;
}

}  // namespace

void OpenFileTraits::Close(Type file) { ::close(static_cast<int>(file)); }

FileErrorKind KindOf(SystemError error) {
  switch (error.code) {
    case ENOENT:
    case ENOTDIR:
      return FileErrorKind::NotFound;
    case EEXIST:
      return FileErrorKind::AlreadyExists;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:  // beyond the size the process may write (ulimit -f)
      return FileErrorKind::DiskFull;
    default:
      return FileErrorKind::Other;
  }
}

SystemResult<WritableFile> WritableFile::CreateNew(const WideString& path, FilePermissions permissions) {
  const mode_t mode = permissions == FilePermissions::Executable ? 0777 : 0666;
  OpenFile file = Own(::open(ToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
  if (!file) return Error();
  return WritableFile(std::move(file), 0);
}

SystemResult<WritableFile> WritableFile::OpenForAppend(const WideString& path) {
  OpenFile file = Own(::open(ToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666));
  if (!file) return Error();
  struct stat info;
  if (::fstat(Descriptor(file), &info) != 0) return Error();
  if (!S_ISREG(info.st_mode)) return SystemError{EINVAL};
  if (::lseek(Descriptor(file), 0, SEEK_END) < 0) return Error();
  return WritableFile(std::move(file), static_cast<uint64_t>(info.st_size));
}

SystemStatus WritableFile::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(Descriptor(file_), bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return written == 0 ? SystemError{ENOSPC} : Error();
    bytes.remove_prefix(static_cast<size_t>(written));
    size_ += static_cast<uint64_t>(written);
  }
  return Done{};
}

SystemStatus WritableFile::Truncate() {
  if (::ftruncate(Descriptor(file_), 0) != 0 || ::lseek(Descriptor(file_), 0, SEEK_SET) < 0) return Error();
  size_ = 0;
  return Done{};
}

SystemResult<ReadableFile> ReadableFile::Open(const WideString& path) {
  OpenFile file = Own(::open(ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC));
  if (!file) return Error();
  struct stat info;
  if (::fstat(Descriptor(file), &info) != 0) return Error();
  if (!S_ISREG(info.st_mode)) return SystemError{EISDIR};
  return ReadableFile(std::move(file), static_cast<uint64_t>(info.st_size));
}

SystemResult<size_t> ReadableFile::ReadAt(uint64_t offset, std::span<char> buffer) const {
  size_t filled = 0;
  while (filled < buffer.size()) {
    const ssize_t count =
        ::pread(Descriptor(file_), buffer.data() + filled, buffer.size() - filled, static_cast<off_t>(offset + filled));
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return Error();
    if (count == 0) break;
    filled += static_cast<size_t>(count);
  }
  return filled;
}

SystemStatus MakeFolder(const WideString& path) {
  if (::mkdir(ToUtf8(path).c_str(), 0777) != 0) return Error();
  return Done{};
}

SystemStatus MakeFolders(const WideString& path) {
  struct stat info;
  if (::stat(ToUtf8(path).c_str(), &info) == 0)
    return S_ISDIR(info.st_mode) ? SystemStatus(Done{}) : SystemError{EEXIST};
  const WideString parent = ParentOf(path);
  if (!parent.empty() && parent != path) {
    if (SystemStatus made = MakeFolders(parent); !made) return made;
  }
  if (::mkdir(ToUtf8(path).c_str(), 0777) != 0 && errno != EEXIST) return Error();
  return Done{};
}

SystemStatus MakeSymbolicLink(const WideString& path, const WideString& target) {
  if (::symlink(ToUtf8(target).c_str(), ToUtf8(path).c_str()) != 0) return Error();
  return Done{};
}

SystemStatus RenameEntry(const WideString& from, const WideString& to) {
  const std::string source = ToUtf8(from), destination = ToUtf8(to);
  if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, destination.c_str(), RENAME_NOREPLACE) == 0) return Done{};
  if (errno != EINVAL && errno != ENOSYS) return Error();
  // A file system without the flag: the caller holds the store's lock, so
  // nothing comes between the look and the rename.
  struct stat info;
  if (::lstat(destination.c_str(), &info) == 0) return SystemError{EEXIST};
  if (::rename(source.c_str(), destination.c_str()) != 0) return Error();
  return Done{};
}

SystemStatus RemoveTree(const WideString& path) {
  const std::string name = ToUtf8(path);
  struct stat info;
  if (::lstat(name.c_str(), &info) != 0) return errno == ENOENT ? SystemStatus(Done{}) : Error();
  if (!S_ISDIR(info.st_mode)) return ::unlink(name.c_str()) == 0 ? SystemStatus(Done{}) : Error();
  // Depth first, links as themselves.
  if (::nftw(name.c_str(), &RemoveOne, 16, FTW_DEPTH | FTW_PHYS) != 0) return Error();
  return Done{};
}

SystemResult<std::vector<FolderEntry>> ListFolder(const WideString& folder) {
  const std::string name = ToUtf8(folder);
  posix::DirectoryListing listing(::opendir(name.c_str()));
  if (!listing) return Error();
  std::vector<FolderEntry> entries;
  errno = 0;
  while (const dirent* entry = ::readdir(listing.Get())) {
    const std::string_view file(entry->d_name);
    if (file == "." || file == "..") continue;
    struct stat info;
    if (::fstatat(::dirfd(listing.Get()), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
    const EntryType type = S_ISREG(info.st_mode)   ? EntryType::File
                           : S_ISDIR(info.st_mode) ? EntryType::Folder
                           : S_ISLNK(info.st_mode) ? EntryType::Link
                                                   : EntryType::Other;
    const int64_t modified = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    entries.push_back({.name = FromUtf8(file), .type = type, .modified = modified});
    errno = 0;
  }
  if (errno != 0) return Error();
  return entries;
}

SystemResult<uint64_t> FreeDiskSpace(const WideString& folder) {
  struct statvfs info;
  if (::statvfs(ToUtf8(folder).c_str(), &info) != 0) return Error();
  return static_cast<uint64_t>(info.f_bavail) * info.f_frsize;
}

SystemStatus FlushTree(const WideString& folder) {
  posix::Descriptor directory(::open(ToUtf8(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // One call for the whole file system: cheaper than a flush per file.
  if (!directory || ::syncfs(directory.Get()) != 0) return Error();
  return Done{};
}

SystemResult<std::optional<FileLock>> FileLock::TryTake(const WideString& path) {
  OpenFile file = Own(::open(ToUtf8(path).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666));
  if (!file) return Error();
  while (::flock(Descriptor(file), LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) return std::optional<FileLock>();
    if (errno != EINTR) return Error();
  }
  return std::optional<FileLock>(FileLock(std::move(file)));
}

}  // namespace platform
