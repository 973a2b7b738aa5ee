#include "instance/socket_channel_posix.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "instance/instance_names.h"
#include "platform/process.h"
#include "platform/text.h"

namespace launcher::instance {

namespace {

// The sticky bit keeps a clean-up of the runtime folder from removing the file
// of a first instance that runs for days.
constexpr mode_t kPrivateFileMode = S_IRUSR | S_IWUSR | S_ISVTX;

std::optional<sockaddr_un> AddressOf(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof(address.sun_path)) return std::nullopt;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return address;
}

bool IsPrivateFolder(const std::string& folder) {
  struct stat info;
  if (lstat(folder.c_str(), &info) != 0) return false;
  return S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

}  // namespace

std::optional<std::string> PrepareRuntimeFolder() {
  const std::string folder = platform::ToUtf8(
      RuntimeFolderFor(platform::GetEnvironmentValue(L"XDG_RUNTIME_DIR"), static_cast<uint32_t>(getuid())));
  // Made private from the start: nobody may see into it between mkdir and a chmod.
  if (mkdir(folder.c_str(), S_IRWXU) != 0 && errno != EEXIST) return std::nullopt;
  if (!IsPrivateFolder(folder)) return std::nullopt;
  return folder;
}

bool FitsSocketAddress(const std::string& path) { return AddressOf(path).has_value(); }

platform::posix::Descriptor OpenLockFile(const std::string& path) {
  platform::posix::Descriptor file(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, kPrivateFileMode));
  return file;
}

bool TryLock(const platform::posix::Descriptor& lockFile) { return flock(lockFile.Get(), LOCK_EX | LOCK_NB) == 0; }

platform::posix::Descriptor ListenAt(const std::string& path) {
  const std::optional<sockaddr_un> address = AddressOf(path);
  if (!address) return platform::posix::Descriptor();
  unlink(path.c_str());
  platform::posix::Descriptor listener(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!listener) return platform::posix::Descriptor();
  if (bind(listener.Get(), reinterpret_cast<const sockaddr*>(&*address), sizeof(*address)) != 0)
    return platform::posix::Descriptor();
  chmod(path.c_str(), kPrivateFileMode);
  if (listen(listener.Get(), SOMAXCONN) != 0) return platform::posix::Descriptor();
  return listener;
}

platform::posix::Descriptor ConnectTo(const std::string& path) {
  const std::optional<sockaddr_un> address = AddressOf(path);
  if (!address) return platform::posix::Descriptor();
  platform::posix::Descriptor connection(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!connection) return platform::posix::Descriptor();
  if (connect(connection.Get(), reinterpret_cast<const sockaddr*>(&*address), sizeof(*address)) != 0) {
    return platform::posix::Descriptor();
  }
  return connection;
}

bool PeerIsThisUser(const platform::posix::Descriptor& connection) {
  ucred peer{};
  socklen_t size = sizeof(peer);
  if (getsockopt(connection.Get(), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0) return false;
  return peer.uid == getuid();
}

void LimitReceiveWait(const platform::posix::Descriptor& connection, int seconds) {
  timeval limit{seconds, 0};
  setsockopt(connection.Get(), SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof(limit));
}

bool SendAll(const platform::posix::Descriptor& connection, std::string_view bytes) {
  while (!bytes.empty()) {
    // No SIGPIPE when the other side has gone: that is an answer like any other.
    const ssize_t sent = send(connection.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(sent));
  }
  return true;
}

std::optional<std::string> ReceiveExactly(const platform::posix::Descriptor& connection, size_t size) {
  std::string bytes(size, '\0');
  size_t received = 0;
  while (received < size) {
    const ssize_t got = recv(connection.Get(), bytes.data() + received, size - received, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return std::nullopt;
    received += static_cast<size_t>(got);
  }
  return bytes;
}

}  // namespace launcher::instance
