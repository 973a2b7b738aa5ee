#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/posix_api.h"

namespace launcher::instance {

// The pieces of the single-instance channel on POSIX: a lock file that decides
// the first instance, and a Unix-domain socket in a folder only the user can enter.

using platform::posix::Descriptor;

// The user's runtime folder ($XDG_RUNTIME_DIR), else /tmp/launcher-<uid>, made
// with mode 0700 when missing. None unless it is a real folder (not a link)
// owned by the user that nobody else may enter.
std::optional<std::string> PrepareRuntimeFolder();

// Whether a socket can be bound at path (the address has a small fixed size).
bool FitsSocketAddress(const std::string& path);

// The lock file, opened (made when missing); invalid when it cannot be.
Descriptor OpenLockFile(const std::string& path);
// Takes the lock without waiting; false while another process holds it. It is
// held until the descriptor closes, which the system does when the process ends.
bool TryLock(const Descriptor& lockFile);

// A socket listening at path; whatever was there (a socket of an instance that
// ended without removing it) is replaced. Only the lock's holder calls this.
Descriptor ListenAt(const std::string& path);
// A connection to the socket at path; invalid when nobody listens there.
Descriptor ConnectTo(const std::string& path);

// Whether the other end of a connection runs as this process's user.
bool PeerIsThisUser(const Descriptor& connection);
// Makes reads give up after this many seconds without data.
void LimitReceiveWait(const Descriptor& connection, int seconds);

bool SendAll(const Descriptor& connection, std::string_view bytes);
// Exactly size bytes; none when the connection ends (or fails) first.
std::optional<std::string> ReceiveExactly(const Descriptor& connection, size_t size);

}  // namespace launcher::instance
