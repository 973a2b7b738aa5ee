#include <chrono>
#include <thread>

#include "instance/instance_names.h"
#include "instance/socket_roles_posix.h"
#include "platform/text.h"

namespace launcher::instance {

namespace {

// The lock's holder listens within moments of taking it, and stops listening
// only on its way out; a start that can neither lock nor connect waits that
// long for one or the other before it runs on its own.
constexpr auto kSettleTime = std::chrono::seconds(5);
constexpr auto kRetryPause = std::chrono::milliseconds(10);

}  // namespace

InstanceRole SetUpSingleInstance(const WideString& executablePath) {
  const std::optional<std::string> folder = PrepareRuntimeFolder();
  if (!folder) return OrdinaryStart{};
  const std::string base = *folder + "/" + platform::ToUtf8(SocketBaseNameOf(executablePath));
  const std::string socketPath = base + ".socket";
  if (!FitsSocketAddress(socketPath)) return OrdinaryStart{};
  platform::posix::Descriptor lock = OpenLockFile(base + ".lock");
  if (!lock) return OrdinaryStart{};
  const auto deadline = std::chrono::steady_clock::now() + kSettleTime;
  for (;;) {
    // The lock, not the socket file, decides: a socket left by a killed
    // instance is replaced by the next start that gets the lock.
    if (TryLock(lock)) {
      platform::posix::Descriptor listener = ListenAt(socketPath);
      if (!listener) return OrdinaryStart{};
      std::unique_ptr<FirstInstance> first = StartFirstInstance(std::move(lock), std::move(listener), socketPath);
      if (!first) return OrdinaryStart{};
      return first;
    }
    if (platform::posix::Descriptor connection = ConnectTo(socketPath)) return JoinFirstInstance(std::move(connection));
    if (std::chrono::steady_clock::now() >= deadline) return OrdinaryStart{};
    std::this_thread::sleep_for(kRetryPause);
  }
}

}  // namespace launcher::instance
