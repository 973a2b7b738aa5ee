#include <cstring>

#include "instance/claimed_block_win32.h"
#include "instance/hand_off.h"
#include "instance/instance_names.h"
#include "instance/shared_block.h"
#include "platform/windows_api.h"

namespace launcher::instance {

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

  HandOffOutcome HandOff(const WideStringList& arguments, Trace& trace) override;

 private:
  PlacedArguments Place(const WideStringList& arguments) const;
  HandOffOutcome WaitForFirstInstance(const platform::win32::KernelHandle& process, uint32_t messageId) const;

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

constexpr HandOffOutcome Answered(int32_t exitCode) { return {HandOffOutcome::End::Answered, exitCode}; }
constexpr HandOffOutcome kFirstEnding{HandOffOutcome::End::FirstEnding, 0};

// The first instance's answer, when the message is it.
std::optional<HandOffOutcome> AnswerIn(const MSG& message, uint32_t messageId) {
  if (message.message != messageId) return std::nullopt;
  if (static_cast<uint64_t>(message.lParam) == kSentAwayParameter) return kFirstEnding;
  return Answered(ReplyOfMessageParameter(message.wParam));
}

// The first answer in this thread's queue; other messages are dropped.
std::optional<HandOffOutcome> TakeAnswer(uint32_t messageId) {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (std::optional<HandOffOutcome> answer = AnswerIn(message, messageId)) return answer;
  }
  return std::nullopt;
}

// Waits for the registered message in this thread's queue. When the first
// instance ends first, its exit code is the answer.
HandOffOutcome Win32SecondInstance::WaitForFirstInstance(const platform::win32::KernelHandle& process,
                                                         uint32_t messageId) const {
  HANDLE handle = process.Get();
  for (;;) {
    if (std::optional<HandOffOutcome> answer = TakeAnswer(messageId)) return *answer;
    const DWORD woke = ::MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_ALLPOSTMESSAGE);
    if (woke == WAIT_OBJECT_0 + 1) continue;
    // Ended (or cannot be watched): a reply posted just before is still queued.
    if (std::optional<HandOffOutcome> answer = TakeAnswer(messageId)) return *answer;
    DWORD exitCode = 0;
    if (woke == WAIT_OBJECT_0 && ::GetExitCodeProcess(handle, &exitCode))
      return Answered(ExitCodeWithoutReply(exitCode));
    return Answered(ExitCodeWithoutReply(std::nullopt));
  }
}

// Lets the first instance bring its window forward when it serves the request.
void GrantForeground(uint32_t firstInstanceProcessId, Trace& trace) {
  const std::optional<uint32_t> grant = ForegroundGrantFor(firstInstanceProcessId, ::GetCurrentProcessId());
  if (!grant) return;
  TraceForegroundGrant(trace, *grant, ::AllowSetForegroundWindow(*grant) != FALSE);
}

// Whether the process is known to have ended. One that cannot be opened is
// alive (its start found it running) but not ours to watch.
bool HasEnded(const platform::win32::KernelHandle& process) {
  return process && ::WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0;
}

HandOffOutcome Win32SecondInstance::HandOff(const WideStringList& arguments, Trace& trace) {
  MSG message;
  // The reply is posted to this thread: its queue must exist before the request leaves.
  ::PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  const BlockHeader header = ReadBlockHeader({block_.Bytes(), kSharedBlockSize});
  platform::win32::KernelHandle process(
      ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, header.processId));
  platform::win32::KernelHandle copied(
      ::OpenEventW(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, CopiedEventNameOf(block_.objectName).c_str()));
  if (!copied) return Answered(-1);
  GrantForeground(header.processId, trace);
  HandOffWord word(block_.Bytes());
  const uint32_t number = NextHandOffNumber(word.Load());
  // No earlier number may match while the area changes.
  word.Store(0);
  PlacedArguments placed = Place(arguments);
  if (!placed.placed) return Answered(-1);
  word.Store(number);
  ::ResetEvent(copied.Get());
  const RequestTag tag{static_cast<uint32_t>(::GetCurrentThreadId()), number};
  if (!::PostThreadMessageW(header.messageThreadId, header.messageId,
                            static_cast<WPARAM>(RequestAsMessageParameter(tag)), static_cast<LPARAM>(placed.lParam))) {
    return HasEnded(process) ? kFirstEnding : Answered(-1);
  }
  DWORD waited = WAIT_FAILED;
  if (process) {
    HANDLE waits[] = {copied.Get(), process.Get()};
    waited = ::WaitForMultipleObjects(2, waits, FALSE, kCopyTimeoutMs);
  } else {
    waited = ::WaitForSingleObject(copied.Get(), kCopyTimeoutUnwatchedMs);
  }
  // Not taken in time, or the first instance ended without them: withdrawn,
  // so that a request read late takes nothing. Taken meanwhile, they count.
  const bool withdrawn = waited != WAIT_OBJECT_0 && word.Replace(number, 0);
  // The area is free for the next second instance.
  mutex_.ownership.Reset();
  placed.packet.Reset();
  if (withdrawn) return waited == WAIT_OBJECT_0 + 1 ? kFirstEnding : Answered(-1);
  TraceHandedOff(trace);
  // A first instance that cannot be watched is not waited for.
  if (!process) return Answered(0);
  return WaitForFirstInstance(process, header.messageId);
}

}  // namespace

std::unique_ptr<SecondInstance> JoinFirstInstance(ClaimedBlock block, HeldMutex mutex) {
  return std::make_unique<Win32SecondInstance>(std::move(block), std::move(mutex));
}

}  // namespace launcher::instance
