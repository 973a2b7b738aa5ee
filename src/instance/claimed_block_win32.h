#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "instance/single_instance.h"
#include "platform/windows_api.h"

namespace launcher::instance {

// What a start holds of its executable's single-instance objects (Windows).

// The shared block, mapped whole for writing.
struct ClaimedBlock {
  WideString objectName;
  platform::win32::Mapping mapping;
  platform::win32::WritableMappedView view;

  char* Bytes() const { return static_cast<char*>(view.Get()); }
};

// The hand-off mutex, owned by the calling thread until the object goes.
struct HeldMutex {
  platform::win32::KernelHandle handle;
  platform::win32::MutexOwnership ownership;  // declared last: released before the handle closes
};

// A holder keeps the hand-off mutex for moments, or while its arguments wait to
// be copied (at most 30 s). One that holds it longer is stuck (suspended, not
// dead: a dead one abandons it), and a start that waited for it for ever would
// hang unseen; it runs on its own instead, as when the objects cannot be made.
inline constexpr uint32_t kHandOffWaitMs = 40000;

// The hand-off mutex of the objects named objectName, waited for at most
// timeoutMs; nullopt when it cannot be made or its holder keeps it longer.
std::optional<HeldMutex> TakeHandOffMutex(const WideString& objectName, uint32_t timeoutMs);

// Sets up the first instance on a block that this start created, while the
// hand-off mutex keeps later starts out; null when that fails.
std::unique_ptr<FirstInstance> StartFirstInstance(ClaimedBlock block);

// A second instance on an existing block. It keeps the hand-off mutex, and
// with it the block's argument area, until the first instance has its arguments.
std::unique_ptr<SecondInstance> JoinFirstInstance(ClaimedBlock block, HeldMutex mutex);

}  // namespace launcher::instance
