#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <ftw.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <optional>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/posix_api.h"
#include "platform/text.h"

namespace launcher::platform {

using posix::Descriptor;
using posix::LastError;

namespace {

SystemResult<Descriptor> OpenFile(const std::string& path, int flags, mode_t mode = 0) {
  Descriptor file(::open(path.c_str(), flags | O_CLOEXEC, mode));
  if (!file) return LastError();
  return file;
}

SystemResult<std::string> ReadAll(int descriptor) {
  std::string bytes;
  char chunk[4096];
  for (;;) {
    const ssize_t count = ::read(descriptor, chunk, sizeof chunk);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return LastError();
    if (count == 0) return bytes;
    bytes.append(chunk, static_cast<size_t>(count));
  }
}

SystemStatus WriteAllAt(int descriptor, uint64_t offset, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::pwrite(descriptor, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return LastError();
    if (written == 0) return SystemError{EIO};
    bytes.remove_prefix(static_cast<size_t>(written));
    offset += static_cast<uint64_t>(written);
  }
  return Done{};
}

// The error of a path that names something other than a plain file.
SystemError NotARegularFile(mode_t mode) { return {static_cast<uint32_t>(S_ISDIR(mode) ? EISDIR : EINVAL)}; }

SystemStatus Sync(int descriptor) {
  if (::fsync(descriptor) != 0) return LastError();
  return Done{};
}

SystemStatus Truncate(int descriptor, uint64_t size) {
  if (::ftruncate(descriptor, static_cast<off_t>(size)) != 0) return LastError();
  return Done{};
}

// ---- Replacing a file's contents

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a path finally names, symbolic links followed (a dangling link names
// the file to create); a loop or a link too long to read is an error.
SystemResult<std::string> FinalTarget(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    char target[PATH_MAX];
    const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
    if (length < 0) {
      if (errno == EINVAL || errno == ENOENT) return path;
      return LastError();
    }
    if (static_cast<size_t>(length) == sizeof target) return SystemError{ENAMETOOLONG};
    const std::string link(target, static_cast<size_t>(length));
    path = link.starts_with('/') ? link : FolderOf(path) + "/" + link;
  }
  return SystemError{ELOOP};
}

void SyncFolder(const std::string& folder) {
  if (SystemResult<Descriptor> directory = OpenFile(folder, O_RDONLY | O_DIRECTORY)) ::fsync(directory->Get());
}

SystemStatus CreateNew(const std::string& path, std::string_view bytes) {
  SystemResult<Descriptor> file = OpenFile(path, O_WRONLY | O_CREAT | O_EXCL, 0666);
  if (!file) return file.error();
  SystemStatus written = WriteAllAt(file->Get(), 0, bytes);
  if (written) written = Sync(file->Get());
  if (written) {
    SyncFolder(FolderOf(path));
    return written;
  }
  file->Reset();
  ::unlink(path.c_str());
  return written;
}

// Gives the new file the old one's permissions and owner; fails when the owner
// cannot be kept (the file belongs to someone else and we are not root).
SystemStatus TakeOver(int descriptor, const struct stat& old) {
  struct stat made;
  if (::fstat(descriptor, &made) != 0) return LastError();
  if ((made.st_uid != old.st_uid || made.st_gid != old.st_gid) && ::fchown(descriptor, old.st_uid, old.st_gid) != 0) {
    return LastError();
  }
  if (::fchmod(descriptor, old.st_mode & 07777) != 0) return LastError();
  return Done{};
}

// Where a new file cannot be made, filled or given the old one's owner, a
// rewrite in place may still succeed.
enum class Renaming { Done, TryInPlace };

SystemResult<Renaming> ReplaceByRename(const std::string& target, std::string_view bytes, const struct stat& old) {
  const std::string folder = FolderOf(target);
  std::string temporary = folder + "/." + target.substr(target.rfind('/') + 1) + ".XXXXXX";
  Descriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
  if (!file) {
    if (errno == EACCES || errno == EPERM || errno == EROFS) return Renaming::TryInPlace;
    return LastError();
  }
  const SystemStatus written = WriteAllAt(file.Get(), 0, bytes);
  SystemStatus ready = written;
  if (ready) ready = TakeOver(file.Get(), old);
  if (ready) ready = Sync(file.Get());
  file.Reset();
  if (!ready) {
    ::unlink(temporary.c_str());
    // Space, or an owner that a new file cannot have, may still allow a rewrite in place.
    if (!written && written.error().code != ENOSPC && written.error().code != EDQUOT) return written.error();
    return Renaming::TryInPlace;
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    const SystemError error = LastError();
    ::unlink(temporary.c_str());
    return error;
  }
  SyncFolder(folder);
  return Renaming::Done;
}

SystemStatus RewriteFile(const std::string& target, std::string_view bytes) {
  SystemResult<Descriptor> file = OpenFile(target, O_RDWR);
  if (!file) return file.error();
  const SystemResult<std::string> old = ReadAll(file->Get());
  if (!old) return old.error();
  const int descriptor = file->Get();
  return RewriteInPlace(
      *old, bytes,
      {[descriptor](uint64_t offset, std::string_view part) { return WriteAllAt(descriptor, offset, part); },
       [descriptor](uint64_t size) { return Truncate(descriptor, size); }, [descriptor] { return Sync(descriptor); }});
}

SystemStatus ReplaceExisting(const std::string& target, std::string_view bytes, const struct stat& old) {
  // Renaming a new file over one with several names would part it from the others.
  if (old.st_nlink > 1) return RewriteFile(target, bytes);
  const SystemResult<Renaming> renamed = ReplaceByRename(target, bytes, old);
  if (!renamed) return renamed.error();
  if (*renamed == Renaming::TryInPlace) return RewriteFile(target, bytes);
  return Done{};
}

}  // namespace

// ---- Reading

SystemResult<std::string> ReadWholeFile(const WideString& path) {
  SystemResult<Descriptor> file = OpenFile(ToUtf8(path), O_RDONLY);
  if (!file) return file.error();
  return ReadAll(file->Get());
}

SystemResult<std::string> ReadFileStart(const WideString& path, size_t limit) {
  SystemResult<Descriptor> file = OpenFile(ToUtf8(path), O_RDONLY | O_NONBLOCK);
  if (!file) return file.error();
  struct stat info;
  if (::fstat(file->Get(), &info) != 0) return LastError();
  if (!S_ISREG(info.st_mode)) return NotARegularFile(info.st_mode);
  std::string bytes(limit, '\0');
  size_t filled = 0;
  while (filled < limit) {
    const ssize_t count = ::read(file->Get(), bytes.data() + filled, limit - filled);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return LastError();
    if (count == 0) break;
    filled += static_cast<size_t>(count);
  }
  bytes.resize(filled);
  return bytes;
}

struct MappedFile::View {
  View(void* address, size_t size) : address(address), size(size) {}
  ~View() { ::munmap(address, size); }
  View(const View&) = delete;
  View& operator=(const View&) = delete;

  void* address;
  size_t size;
};

SystemResult<MappedFile> MappedFile::Open(const WideString& path) {
  SystemResult<Descriptor> file = OpenFile(ToUtf8(path), O_RDONLY);
  if (!file) return file.error();
  struct stat info;
  if (::fstat(file->Get(), &info) != 0) return LastError();
  if (!S_ISREG(info.st_mode)) return NotARegularFile(info.st_mode);
  if (info.st_size == 0) return SystemError{EINVAL};
  const size_t size = static_cast<size_t>(info.st_size);
  void* address = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, file->Get(), 0);
  if (address == MAP_FAILED) return LastError();
  return MappedFile(std::make_shared<const View>(address, size), std::string_view(static_cast<char*>(address), size));
}

// ---- Writing

SystemStatus WriteFileBytes(const WideString& path, std::string_view bytes) {
  SystemResult<Descriptor> file = OpenFile(ToUtf8(path), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (!file) return file.error();
  while (!bytes.empty()) {
    const ssize_t count = ::write(file->Get(), bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return LastError();
    if (count == 0) return SystemError{EIO};
    bytes.remove_prefix(static_cast<size_t>(count));
  }
  if (::close(file->Release()) != 0) return LastError();
  return Done{};
}

SystemStatus ReplaceFileContents(const WideString& path, std::string_view bytes) {
  const SystemResult<std::string> target = FinalTarget(ToUtf8(path));
  if (!target) return target.error();
  struct stat old;
  if (::stat(target->c_str(), &old) != 0) {
    if (errno != ENOENT) return LastError();
    return CreateNew(*target, bytes);
  }
  if (!S_ISREG(old.st_mode)) return NotARegularFile(old.st_mode);
  // A file without any write permission is read-only to its owner's mind, even
  // to root, who could write it anyway.
  if ((old.st_mode & 0222) == 0) return SystemError{EACCES};
  if (::access(target->c_str(), W_OK) != 0) return LastError();
  return ReplaceExisting(*target, bytes, old);
}

struct AppendFile::Handle {
  Descriptor descriptor;
};

SystemResult<AppendFile> AppendFile::Open(const WideString& path) {
  SystemResult<Descriptor> file = OpenFile(ToUtf8(path), O_WRONLY | O_CREAT | O_APPEND, 0666);
  if (!file) return file.error();
  return AppendFile(std::make_shared<const Handle>(Handle{std::move(*file)}));
}

SystemStatus AppendFile::Append(std::string_view bytes) const {
  while (!bytes.empty()) {
    const ssize_t written = ::write(handle_->descriptor.Get(), bytes.data(), bytes.size());
    if (written < 0) return LastError();
    if (written == 0) return SystemError{EIO};
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return Done{};
}

SystemStatus MoveFileReplacing(const WideString& from, const WideString& to) {
  if (::rename(ToUtf8(from).c_str(), ToUtf8(to).c_str()) != 0) return LastError();
  return Done{};
}

SystemStatus RemoveFile(const WideString& path) {
  if (::unlink(ToUtf8(path).c_str()) != 0) return LastError();
  return Done{};
}

SystemStatus SetModificationTime(const WideString& path, int64_t secondsSince1970) {
  const struct timespec times[2] = {{.tv_sec = secondsSince1970, .tv_nsec = 0},
                                    {.tv_sec = secondsSince1970, .tv_nsec = 0}};
  if (::utimensat(AT_FDCWD, ToUtf8(path).c_str(), times, 0) != 0) return LastError();
  return Done{};
}

// ---- Folders

SystemResult<FolderCreation> MakeFolder(const WideString& path) {
  if (::mkdir(ToUtf8(path).c_str(), 0777) == 0) return FolderCreation::Made;
  if (errno == EEXIST) return FolderCreation::AlreadyThere;
  return LastError();
}

SystemStatus RemoveEmptyFolder(const WideString& path) {
  if (::rmdir(ToUtf8(path).c_str()) != 0) return LastError();
  return Done{};
}

SystemStatus ChangeCurrentFolder(const WideString& path) {
  if (::chdir(ToUtf8(path).c_str()) != 0) return LastError();
  return Done{};
}

std::optional<WideStringList> FindFiles(const WideString& pattern) {
  std::string bytes = ToUtf8(pattern);
  size_t slash = bytes.rfind('/');
  std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : bytes.substr(0, slash);
  std::string name = slash == std::string::npos ? bytes : bytes.substr(slash + 1);
  if (name.find_first_of("*?") == std::string::npos) {
    if (!FileExists(pattern)) return std::nullopt;
    return WideStringList{FromUtf8(name)};
  }
  posix::DirectoryListing directory(::opendir(folder.c_str()));
  if (!directory) return std::nullopt;
  std::vector<std::string> found;
  while (dirent* entry = ::readdir(directory.Get())) {
    if (::fnmatch(name.c_str(), entry->d_name, 0) == 0) found.emplace_back(entry->d_name);
  }
  if (found.empty()) return std::nullopt;
  // readdir's order is the file system's hash order; sorted names make the
  // class path the same on every run, as NTFS's ordered directories do.
  std::sort(found.begin(), found.end());
  WideStringList names;
  for (const std::string& each : found) names.push_back(FromUtf8(each));
  return names;
}

// ---- What a path names

bool FileExists(const WideString& path) {
  struct stat info;
  return ::stat(ToUtf8(path).c_str(), &info) == 0;
}

SystemResult<WideString> ShortPathForm(const WideString& path) { return path; }

std::optional<uint64_t> RegularFileSize(const WideString& path) {
  struct stat info;
  if (::stat(ToUtf8(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return static_cast<uint64_t>(info.st_size);
}

FileIdentity QueryFileIdentity(const WideString& path) {
  struct stat info;
  if (::stat(ToUtf8(path).c_str(), &info) != 0) return {};
  constexpr int64_t kNanoseconds = 1000000000;
  return {true, S_ISREG(info.st_mode), static_cast<uint64_t>(info.st_size),
          static_cast<int64_t>(info.st_mtim.tv_sec) * kNanoseconds + info.st_mtim.tv_nsec};
}

bool IsSameFile(const WideString& a, const WideString& b) {
  struct stat first {};
  struct stat second {};
  if (::stat(ToUtf8(a).c_str(), &first) != 0 || ::stat(ToUtf8(b).c_str(), &second) != 0) return false;
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// ---- Paths the system completes

WideString FixedToCurrentFolder(const WideString& path) {
  if (path.empty() || path[0] == L'/') return path;
  std::string current(4096, '\0');
  if (::getcwd(current.data(), current.size()) == nullptr) return path;
  current.resize(current.find('\0'));
  return FromUtf8(current) + (current == "/" ? L"" : L"/") + path;
}

SystemStatus CreateFileWithBytes(const WideString& path, std::string_view bytes) {
  const std::string name = ToUtf8(path);
  // O_EXCL fails on any existing name, a dangling link included; O_NOFOLLOW says so twice.
  posix::Descriptor file(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
  if (!file) return SystemError{static_cast<uint32_t>(errno)};
  int failure = 0;
  while (failure == 0 && !bytes.empty()) {
    const ssize_t count = ::write(file.Get(), bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count > 0) bytes.remove_prefix(static_cast<size_t>(count));
    if (count <= 0) failure = count < 0 ? errno : ENOSPC;
  }
  if (failure == 0 && ::fsync(file.Get()) != 0) failure = errno;
  if (failure == 0 && ::close(file.Release()) != 0) failure = errno;
  if (failure == 0) return Done{};
  file.Reset();
  ::unlink(name.c_str());
  return SystemError{static_cast<uint32_t>(failure)};
}

SystemStatus RenameReplacing(const WideString& from, const WideString& to) {
  if (::rename(ToUtf8(from).c_str(), ToUtf8(to).c_str()) == 0) return Done{};
  return SystemError{static_cast<uint32_t>(errno)};
}

bool IsReadOnlyFile(const WideString& path) {
  const std::string name = ToUtf8(path);
  struct stat info;
  if (::stat(name.c_str(), &info) != 0) return false;
  // A file without any write permission is read-only to its owner's mind, even to root.
  return (info.st_mode & 0222) == 0 || ::access(name.c_str(), W_OK) != 0;
}

FileFailure ClassifyFileFailure(SystemError error) {
  switch (error.code) {
    case ENOENT:
    case ENOTDIR:
      return FileFailure::NotFound;
    case EEXIST:
      return FileFailure::NameTaken;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:  // beyond the size the process may write (ulimit -f)
      return FileFailure::DiskFull;
    default:
      return FileFailure::Other;
  }
}

// ---- Trees

namespace {

int DescriptorOf(const FileHandle& file) { return static_cast<int>(file.Get()); }

FileHandle OwnFile(int descriptor) { return FileHandle(descriptor); }

int RemoveOne(const char* path, const struct stat*, int, FTW*) {
  return ::remove(path) == 0 || errno == ENOENT ? 0 : -1;
}

}  // namespace

void FileHandleTraits::Close(Type file) { ::close(static_cast<int>(file)); }

SystemResult<WritableFile> WritableFile::CreateNew(const WideString& path, FilePermissions permissions) {
  const mode_t mode = permissions == FilePermissions::Executable ? 0777 : 0666;
  FileHandle file = OwnFile(::open(ToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
  if (!file) return LastError();
  return WritableFile(std::move(file), 0);
}

SystemResult<WritableFile> WritableFile::OpenForAppend(const WideString& path) {
  FileHandle file = OwnFile(::open(ToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666));
  if (!file) return LastError();
  struct stat info;
  if (::fstat(DescriptorOf(file), &info) != 0) return LastError();
  if (!S_ISREG(info.st_mode)) return SystemError{EINVAL};
  if (::lseek(DescriptorOf(file), 0, SEEK_END) < 0) return LastError();
  return WritableFile(std::move(file), static_cast<uint64_t>(info.st_size));
}

SystemStatus WritableFile::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(DescriptorOf(file_), bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return written == 0 ? SystemError{ENOSPC} : LastError();
    bytes.remove_prefix(static_cast<size_t>(written));
    size_ += static_cast<uint64_t>(written);
  }
  return Done{};
}

SystemStatus WritableFile::Truncate() {
  if (::ftruncate(DescriptorOf(file_), 0) != 0 || ::lseek(DescriptorOf(file_), 0, SEEK_SET) < 0) return LastError();
  size_ = 0;
  return Done{};
}

SystemResult<ReadableFile> ReadableFile::Open(const WideString& path) {
  FileHandle file = OwnFile(::open(ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC));
  if (!file) return LastError();
  struct stat info;
  if (::fstat(DescriptorOf(file), &info) != 0) return LastError();
  if (!S_ISREG(info.st_mode)) return SystemError{EISDIR};
  return ReadableFile(std::move(file), static_cast<uint64_t>(info.st_size));
}

SystemResult<size_t> ReadableFile::ReadAt(uint64_t offset, std::span<char> buffer) const {
  size_t filled = 0;
  while (filled < buffer.size()) {
    const ssize_t count = ::pread(DescriptorOf(file_), buffer.data() + filled, buffer.size() - filled,
                                  static_cast<off_t>(offset + filled));
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return LastError();
    if (count == 0) break;
    filled += static_cast<size_t>(count);
  }
  return filled;
}

SystemStatus MakeFolders(const WideString& path) {
  struct stat info;
  if (::stat(ToUtf8(path).c_str(), &info) == 0)
    return S_ISDIR(info.st_mode) ? SystemStatus(Done{}) : SystemError{EEXIST};
  const WideString parent = ParentOf(path);
  if (!parent.empty() && parent != path) {
    if (SystemStatus made = MakeFolders(parent); !made) return made;
  }
  if (::mkdir(ToUtf8(path).c_str(), 0777) != 0 && errno != EEXIST) return LastError();
  return Done{};
}

SystemStatus MakeSymbolicLink(const WideString& path, const WideString& target) {
  if (::symlink(ToUtf8(target).c_str(), ToUtf8(path).c_str()) != 0) return LastError();
  return Done{};
}

SystemStatus RenameEntry(const WideString& from, const WideString& to) {
  const std::string source = ToUtf8(from), destination = ToUtf8(to);
  if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, destination.c_str(), RENAME_NOREPLACE) == 0) return Done{};
  if (errno != EINVAL && errno != ENOSYS) return LastError();
  // A file system without the flag: the caller holds the store's lock, so
  // nothing comes between the look and the rename.
  struct stat info;
  if (::lstat(destination.c_str(), &info) == 0) return SystemError{EEXIST};
  if (::rename(source.c_str(), destination.c_str()) != 0) return LastError();
  return Done{};
}

SystemStatus RemoveTree(const WideString& path) {
  const std::string name = ToUtf8(path);
  struct stat info;
  if (::lstat(name.c_str(), &info) != 0) return errno == ENOENT ? SystemStatus(Done{}) : LastError();
  if (!S_ISDIR(info.st_mode)) return ::unlink(name.c_str()) == 0 ? SystemStatus(Done{}) : LastError();
  // Depth first, links as themselves.
  if (::nftw(name.c_str(), &RemoveOne, 16, FTW_DEPTH | FTW_PHYS) != 0) return LastError();
  return Done{};
}

SystemResult<std::vector<FolderEntry>> ListFolder(const WideString& folder) {
  const std::string name = ToUtf8(folder);
  posix::DirectoryListing listing(::opendir(name.c_str()));
  if (!listing) return LastError();
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
  if (errno != 0) return LastError();
  return entries;
}

SystemResult<uint64_t> FreeDiskSpace(const WideString& folder) {
  struct statvfs info;
  if (::statvfs(ToUtf8(folder).c_str(), &info) != 0) return LastError();
  return static_cast<uint64_t>(info.f_bavail) * info.f_frsize;
}

SystemStatus FlushTree(const WideString& folder) {
  posix::Descriptor directory(::open(ToUtf8(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // One call for the whole file system: cheaper than a flush per file.
  if (!directory || ::syncfs(directory.Get()) != 0) return LastError();
  return Done{};
}

SystemResult<std::optional<FileLock>> FileLock::TryTake(const WideString& path) {
  FileHandle file = OwnFile(::open(ToUtf8(path).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666));
  if (!file) return LastError();
  while (::flock(DescriptorOf(file), LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) return std::optional<FileLock>();
    if (errno != EINTR) return LastError();
  }
  return std::optional<FileLock>(FileLock(std::move(file)));
}

}  // namespace launcher::platform
