#include <cstring>

#include "instance/claimed_block_win32.h"
#include "instance/hand_off.h"
#include "instance/instance_names.h"
#include "instance/shared_block.h"
#include "platform/windows_api.h"

namespace {

// How long a second instance waits for its arguments to be copied. A living
// first instance copies them at once; the limit only guards against a process
// id or thread id that has been given to another program since.
constexpr DWORD kCopyTimeoutMs = 30000;
constexpr DWORD kCopyTimeoutUnwatchedMs = 5000;

// The arguments as the first instance reads them: in the block's area, or in a
// mapping of their own (held until they are copied) whose size the message says.
struct PlacedArguments {
  bool placed = false;
  uint64_t lParam = 0;
  platform::win32::Mapping packet;
};

class Win32SecondInstance final : public SecondInstance {
 public:
  Win32SecondInstance(ClaimedBlock block, HeldMutex mutex) : block_(std::move(block)), mutex_(std::move(mutex)) {}

  int32_t HandOff(const WideStringList& arguments, Trace& trace) override;

 private:
  PlacedArguments Place(const WideStringList& arguments) const;
  int32_t WaitForFirstInstance(const platform::win32::KernelHandle& process, uint32_t messageId) const;

  ClaimedBlock block_;
  HeldMutex mutex_;
};

PlacedArguments Win32SecondInstance::Place(const WideStringList& arguments) const {
  ForwardedBytes forwarded = PackArguments(arguments);
  PlacedArguments placed;
  if (forwarded.inArea) {
    std::memcpy(block_.Bytes() + kArgumentAreaOffset, forwarded.bytes.data(), forwarded.bytes.size());
    placed.placed = true;
    return placed;
  }
  const WideString name = PacketMappingNameOf(block_.objectName, ::GetCurrentThreadId());
  const uint64_t size = forwarded.bytes.size();
  placed.packet.Reset(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE,
                                           static_cast<DWORD>(size >> 32), static_cast<DWORD>(size), name.c_str()));
  // One of an earlier start of this thread id may linger, of another size.
  if (!placed.packet || ::GetLastError() == ERROR_ALREADY_EXISTS) return placed;
  platform::win32::WritableMappedView view(::MapViewOfFile(placed.packet.Get(), FILE_MAP_WRITE, 0, 0, size));
  if (!view) return placed;
  std::memcpy(view.Get(), forwarded.bytes.data(), size);
  placed.placed = true;
  placed.lParam = size;
  return placed;
}

// Waits for the registered message in this thread's queue; other messages are
// dropped. When the first instance ends first, its exit code is the answer.
int32_t Win32SecondInstance::WaitForFirstInstance(const platform::win32::KernelHandle& process,
                                                  uint32_t messageId) const {
  HANDLE handle = process.Get();
  for (;;) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == messageId) return ReplyOfMessageParameter(message.wParam);
    }
    const DWORD woke = ::MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_ALLPOSTMESSAGE);
    if (woke == WAIT_OBJECT_0 + 1) continue;
    // Ended (or cannot be watched): a reply posted just before is still queued.
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == messageId) return ReplyOfMessageParameter(message.wParam);
    }
    DWORD exitCode = 0;
    if (woke == WAIT_OBJECT_0 && ::GetExitCodeProcess(handle, &exitCode)) return ExitCodeWithoutReply(exitCode);
    return ExitCodeWithoutReply(std::nullopt);
  }
}

int32_t Win32SecondInstance::HandOff(const WideStringList& arguments, Trace& trace) {
  MSG message;
  // The reply is posted to this thread: its queue must exist before the request leaves.
  ::PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  const BlockHeader header = ReadBlockHeader({block_.Bytes(), kSharedBlockSize});
  platform::win32::KernelHandle process(
      ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, header.processId));
  platform::win32::KernelHandle copied(
      ::OpenEventW(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, CopiedEventNameOf(block_.objectName).c_str()));
  if (!copied) return -1;
  PlacedArguments placed = Place(arguments);
  if (!placed.placed) return -1;
  ::ResetEvent(copied.Get());
  if (!::PostThreadMessageW(header.messageThreadId, header.messageId, ::GetCurrentThreadId(),
                            static_cast<LPARAM>(placed.lParam))) {
    return -1;
  }
  DWORD waited = WAIT_FAILED;
  if (process) {
    HANDLE waits[] = {copied.Get(), process.Get()};
    waited = ::WaitForMultipleObjects(2, waits, FALSE, kCopyTimeoutMs);
  } else {
    waited = ::WaitForSingleObject(copied.Get(), kCopyTimeoutUnwatchedMs);
  }
  // The area is free for the next second instance.
  mutex_.ownership.Reset();
  placed.packet.Reset();
  // Not copied in time: the arguments were most likely never taken, which is
  // no success.
  if (waited == WAIT_TIMEOUT || waited == WAIT_FAILED) return -1;
  if (waited == WAIT_OBJECT_0) TraceHandedOff(trace);
  // A first instance that cannot be watched is not waited for.
  if (!process) return 0;
  return WaitForFirstInstance(process, header.messageId);
}

}  // namespace

std::unique_ptr<SecondInstance> JoinFirstInstance(ClaimedBlock block, HeldMutex mutex) {
  return std::make_unique<Win32SecondInstance>(std::move(block), std::move(mutex));
}
