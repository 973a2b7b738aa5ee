#include "instance/claimed_block_win32.h"
#include "instance/instance_names.h"
#include "instance/shared_block.h"
#include "platform/windows_api.h"

namespace launcher::instance {

namespace {

// Whether the process with that id still runs. One that cannot be watched
// (another user's, or an elevated one's) counts as running.
bool ProcessRuns(uint32_t processId) {
  platform::win32::KernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
  if (!process) return ::GetLastError() == ERROR_ACCESS_DENIED;
  return ::WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

// A block that nobody serves: its first instance marked it ending, or was
// ended without doing so. The next start takes the first instance's place.
bool Unserved(const ClaimedBlock& block) {
  const BlockHeader header = ReadBlockHeader({block.Bytes(), kSharedBlockSize});
  return header.processId == 0 || !ProcessRuns(header.processId);
}

}  // namespace

// Every start takes the mutex before it looks at the block: a first instance
// keeps it until its block is complete, a second one until its arguments are
// copied. An abandoned mutex (its owner died) is owned all the same.
std::optional<HeldMutex> TakeHandOffMutex(const WideString& objectName, uint32_t timeoutMs) {
  HeldMutex held;
  held.handle.Reset(::CreateMutexW(nullptr, FALSE, HandOffMutexNameOf(objectName).c_str()));
  if (!held.handle) return std::nullopt;
  const DWORD waited = ::WaitForSingleObject(held.handle.Get(), timeoutMs);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return std::nullopt;
  held.ownership.Reset(held.handle.Get());
  return held;
}

InstanceRole SetUpSingleInstance(const WideString& executablePath) {
  ClaimedBlock block{ObjectNameOf(executablePath), {}, {}};
  std::optional<HeldMutex> mutex = TakeHandOffMutex(block.objectName, kHandOffWaitMs);
  if (!mutex) return OrdinaryStart{};
  block.mapping.Reset(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                           static_cast<DWORD>(kSharedBlockSize), block.objectName.c_str()));
  const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
  if (!block.mapping) return OrdinaryStart{};
  block.view.Reset(::MapViewOfFile(block.mapping.Get(), FILE_MAP_WRITE, 0, 0, kSharedBlockSize));
  if (!block.view) return OrdinaryStart{};
  if (existed && !Unserved(block)) return JoinFirstInstance(std::move(block), std::move(*mutex));
  std::unique_ptr<FirstInstance> first = StartFirstInstance(std::move(block));
  if (!first) return OrdinaryStart{};
  return first;
}

}  // namespace launcher::instance
