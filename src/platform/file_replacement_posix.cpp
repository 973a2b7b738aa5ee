#include "platform/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <optional>

#include "platform/in_place_rewrite.h"
#include "platform/posix_api.h"
#include "platform/text.h"

namespace platform {
namespace {

std::optional<std::string> ReadAll(int descriptor) {
  std::string bytes;
  char chunk[4096];
  for (;;) {
    const ssize_t count = read(descriptor, chunk, sizeof chunk);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return std::nullopt;
    if (count == 0) return bytes;
    bytes.append(chunk, static_cast<size_t>(count));
  }
}

bool WriteAllAt(int descriptor, uint64_t offset, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = pwrite(descriptor, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
    offset += static_cast<uint64_t>(written);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a path finally names, symbolic links followed (a dangling link names
// the file to create); nullopt for a loop or a link too long to read.
std::optional<std::string> FinalTarget(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    char target[PATH_MAX];
    const ssize_t length = readlink(path.c_str(), target, sizeof target);
    if (length < 0) return errno == EINVAL || errno == ENOENT ? std::optional<std::string>(path) : std::nullopt;
    if (static_cast<size_t>(length) == sizeof target) return std::nullopt;
    const std::string link(target, static_cast<size_t>(length));
    path = link.starts_with('/') ? link : FolderOf(path) + "/" + link;
  }
  return std::nullopt;
}

void SyncFolder(const std::string& folder) {
  posix::Descriptor directory(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory) fsync(directory.Get());
}

bool CreateNew(const std::string& path, std::string_view bytes) {
  posix::Descriptor file(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (!file) return false;
  if (WriteAllAt(file.Get(), 0, bytes) && fsync(file.Get()) == 0) {
    SyncFolder(FolderOf(path));
    return true;
  }
  file.Reset();
  unlink(path.c_str());
  return false;
}

enum class Outcome { Done, Failed, TryInPlace };

// Gives the new file the old one's permissions and owner; false when the owner
// cannot be kept (the file belongs to someone else and we are not root).
bool TakeOver(int descriptor, const struct stat& old) {
  struct stat made;
  if (fstat(descriptor, &made) != 0) return false;
  if ((made.st_uid != old.st_uid || made.st_gid != old.st_gid) && fchown(descriptor, old.st_uid, old.st_gid) != 0) {
    return false;
  }
  return fchmod(descriptor, old.st_mode & 07777) == 0;
}

Outcome ReplaceByRename(const std::string& target, std::string_view bytes, const struct stat& old) {
  const std::string folder = FolderOf(target);
  std::string temporary = folder + "/." + target.substr(target.rfind('/') + 1) + ".XXXXXX";
  posix::Descriptor file(mkostemp(temporary.data(), O_CLOEXEC));
  if (!file) return errno == EACCES || errno == EPERM || errno == EROFS ? Outcome::TryInPlace : Outcome::Failed;
  const bool written = WriteAllAt(file.Get(), 0, bytes);
  const int writeError = errno;
  const bool ready = written && TakeOver(file.Get(), old) && fsync(file.Get()) == 0;
  file.Reset();
  if (!ready) {
    unlink(temporary.c_str());
    // Space or an owner that a new file cannot have may still allow a rewrite in place.
    return !written && writeError != ENOSPC && writeError != EDQUOT ? Outcome::Failed : Outcome::TryInPlace;
  }
  if (rename(temporary.c_str(), target.c_str()) != 0) {
    unlink(temporary.c_str());
    return Outcome::Failed;
  }
  SyncFolder(folder);
  return Outcome::Done;
}

bool RewriteFile(const std::string& target, std::string_view bytes) {
  posix::Descriptor file(open(target.c_str(), O_RDWR | O_CLOEXEC));
  if (!file) return false;
  const std::optional<std::string> old = ReadAll(file.Get());
  if (!old) return false;
  const int descriptor = file.Get();
  return RewriteInPlace(
      *old, bytes,
      {[descriptor](uint64_t offset, std::string_view part) { return WriteAllAt(descriptor, offset, part); },
       [descriptor](uint64_t size) { return ftruncate(descriptor, static_cast<off_t>(size)) == 0; },
       [descriptor] { return fsync(descriptor) == 0; }});
}

}  // namespace

FileBytes ReadWholeFile(const WideString& path) {
  posix::Descriptor file(open(ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC));
  if (!file) return {errno == ENOENT ? FileState::Missing : FileState::Unreadable, {}};
  std::optional<std::string> bytes = ReadAll(file.Get());
  if (!bytes) return {FileState::Unreadable, {}};
  return {FileState::Present, std::move(*bytes)};
}

bool ReplaceFileContents(const WideString& path, std::string_view bytes) {
  const std::optional<std::string> target = FinalTarget(ToUtf8(path));
  if (!target) return false;
  struct stat old;
  if (stat(target->c_str(), &old) != 0) return errno == ENOENT && CreateNew(*target, bytes);
  // A file without any write permission is read-only to its owner's mind, even
  // to root, who could write it anyway.
  if (!S_ISREG(old.st_mode) || (old.st_mode & 0222) == 0 || access(target->c_str(), W_OK) != 0) return false;
  // Renaming a new file over one with several names would part it from the others.
  if (old.st_nlink > 1) return RewriteFile(*target, bytes);
  switch (ReplaceByRename(*target, bytes, old)) {
    case Outcome::Done:
      return true;
    case Outcome::TryInPlace:
      return RewriteFile(*target, bytes);
    case Outcome::Failed:
      break;
  }
  return false;
}

}  // namespace platform
