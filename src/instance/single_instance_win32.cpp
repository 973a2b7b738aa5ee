#include "instance/claimed_block_win32.h"
#include "instance/instance_names.h"
#include "instance/shared_block.h"
#include "platform/windows_api.h"

namespace {

// Every start takes the mutex before it looks at the block: a first instance
// keeps it until its block is complete, a second one until its arguments are
// copied. An abandoned mutex (its owner died) is owned all the same.
std::optional<HeldMutex> AcquireHandOffMutex(const WideString& objectName) {
  HeldMutex held;
  held.handle.Reset(::CreateMutexW(nullptr, FALSE, HandOffMutexNameOf(objectName).c_str()));
  if (!held.handle) return std::nullopt;
  const DWORD waited = ::WaitForSingleObject(held.handle.Get(), INFINITE);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return std::nullopt;
  held.ownership.Reset(held.handle.Get());
  return held;
}

}  // namespace

InstanceRole SetUpSingleInstance(const WideString& executablePath, RequestHandler handler) {
  ClaimedBlock block{ObjectNameOf(executablePath), {}, {}};
  std::optional<HeldMutex> mutex = AcquireHandOffMutex(block.objectName);
  if (!mutex) return OrdinaryStart{};
  block.mapping.Reset(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                           static_cast<DWORD>(kSharedBlockSize), block.objectName.c_str()));
  const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
  if (!block.mapping) return OrdinaryStart{};
  block.view.Reset(::MapViewOfFile(block.mapping.Get(), FILE_MAP_WRITE, 0, 0, kSharedBlockSize));
  if (!block.view) return OrdinaryStart{};
  if (existed) return JoinFirstInstance(std::move(block), std::move(*mutex));
  std::unique_ptr<FirstInstance> first = StartFirstInstance(std::move(block), std::move(handler));
  if (!first) return OrdinaryStart{};
  return first;
}
