#include "platform/file_operations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix_api.h"
#include "platform/text.h"

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

}  // namespace platform
