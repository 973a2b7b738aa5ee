#pragma once

#include <cstdint>
#include <optional>

#include "platform/wide_string.h"

namespace launcher::instance {

// The names under which the starts of one executable find each other. Starts
// from different executable paths never meet; on Windows two paths that differ
// only in letter case do not either.

// Windows: the name N of the shared block and the registered message, the
// executable's path with every "\" replaced by "_" (no namespace prefix), and
// the objects named beside it.
WideString ObjectNameOf(const WideString& executablePath);
WideString ForwardingEventNameOf(const WideString& objectName);  // N_upr_evt
WideString HandOffMutexNameOf(const WideString& objectName);     // N_upr_mtx: one hand-off at a time
WideString CopiedEventNameOf(const WideString& objectName);      // N_upr_ack: the first instance has the arguments
// A second instance's arguments that the block's area cannot carry, by the
// id of the thread that hands them over.
WideString PacketMappingNameOf(const WideString& objectName, uint32_t threadId);

// POSIX: the file name (without extension) of the socket and the lock file,
// from a hash of the executable's path, short enough for any socket address.
WideString SocketBaseNameOf(const WideString& executablePath);

// POSIX: the folder for them: the user's runtime folder when one is given
// (an absolute path), else a folder of the user's own under /tmp.
WideString RuntimeFolderFor(const std::optional<WideString>& xdgRuntimeFolder, uint32_t userId);

}  // namespace launcher::instance
