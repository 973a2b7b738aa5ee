#include "platform/file_operations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix_handles.h"
#include "platform/unicode.h"

namespace platform {
std::string ReadFileStart(const WideString& path, size_t limit) {
  posix::Descriptor file(::open(ToUtf8(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat info;
  if (!file || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
  std::string bytes(limit, '\0');
  size_t filled = 0;
  while (filled < limit) {
    const ssize_t count = ::read(file.Get(), bytes.data() + filled, limit - filled);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    filled += static_cast<size_t>(count);
  }
  bytes.resize(filled);
  return bytes;
}

bool WriteFileBytes(const WideString& path, std::string_view bytes) {
  posix::Descriptor file(::open(ToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (!file) return false;
  while (!bytes.empty()) {
    const ssize_t count = ::write(file.Get(), bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(count));
  }
  return ::close(file.Release()) == 0;
}

bool MoveFileReplacing(const WideString& from, const WideString& to) {
  return ::rename(ToUtf8(from).c_str(), ToUtf8(to).c_str()) == 0;
}

bool RemoveFile(const WideString& path) { return ::unlink(ToUtf8(path).c_str()) == 0; }

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
  return error.code == EEXIST ? FileFailure::NameTaken : FileFailure::Other;
}

}  // namespace platform
