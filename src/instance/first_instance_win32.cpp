#include <future>
#include <string>
#include <system_error>
#include <thread>

#include "instance/argument_area.h"
#include "instance/argument_packet.h"
#include "instance/claimed_block_win32.h"
#include "instance/hand_off.h"
#include "instance/instance_names.h"
#include "instance/shared_block.h"
#include "platform/threads.h"
#include "platform/windows_api.h"

namespace launcher::instance {

namespace {

class Win32FirstInstance final : public FirstInstance {
 public:
  explicit Win32FirstInstance(ClaimedBlock block) : block_(std::move(block)) {}
  ~Win32FirstInstance() override;

  // The forwarding event, the registered message and the message thread, then
  // the block's header that tells second instances where to post.
  bool SetUp();
  void OpenForwarding(RequestHandler handler) override;
  void CloseForwarding() override {
    GiveUp();
    gate_->Drain();
  }

 private:
  bool StartMessageThread();
  void ReceiveMessages(std::promise<uint32_t> started);
  void OnRequest(uint64_t wParam, uint64_t lParam);
  std::optional<WideStringList> TakeArguments(const RequestTag& tag, uint64_t lParam);
  std::optional<WideStringList> ReadArguments(uint32_t requester, uint64_t lParam) const;
  void GiveUp();
  void StopMessageThread();

  ClaimedBlock block_;
  std::shared_ptr<ForwardingGate> gate_ = std::make_shared<ForwardingGate>();
  platform::win32::KernelHandle forwardingEvent_;
  platform::win32::KernelHandle copiedEvent_;
  uint32_t messageId_ = 0;
  uint32_t messageThreadId_ = 0;
  platform::win32::KernelHandle messageThreadHandle_;
  std::thread messageThread_;
  bool gaveUp_ = false;
};

bool Win32FirstInstance::SetUp() {
  forwardingEvent_.Reset(::CreateEventW(nullptr, TRUE, FALSE, ForwardingEventNameOf(block_.objectName).c_str()));
  // Without the event nothing could tell the request threads that the JVM
  // exists: they refuse their requests rather than guess.
  if (!forwardingEvent_) gate_->Refuse();
  copiedEvent_.Reset(::CreateEventW(nullptr, FALSE, FALSE, CopiedEventNameOf(block_.objectName).c_str()));
  if (!copiedEvent_) return false;
  // Taking the place of an instance that is ending, the events may be left set.
  if (forwardingEvent_) ::ResetEvent(forwardingEvent_.Get());
  ::ResetEvent(copiedEvent_.Get());
  messageId_ = ::RegisterWindowMessageW(block_.objectName.c_str());
  if (messageId_ == 0 || !StartMessageThread()) return false;
  WriteBlockHeader(block_.Bytes(), {messageThreadId_, static_cast<uint32_t>(::GetCurrentProcessId()), messageId_});
  return true;
}

bool Win32FirstInstance::StartMessageThread() {
  std::promise<uint32_t> started;
  std::future<uint32_t> threadId = started.get_future();
  try {
    messageThread_ = std::thread(&Win32FirstInstance::ReceiveMessages, this, std::move(started));
  } catch (const std::system_error&) {
    return false;
  }
  messageThreadId_ = threadId.get();
  // Watched so that the end can tell a thread that has gone from one that is busy.
  messageThreadHandle_.Reset(::OpenThread(SYNCHRONIZE, FALSE, messageThreadId_));
  return static_cast<bool>(messageThreadHandle_);
}

void Win32FirstInstance::ReceiveMessages(std::promise<uint32_t> started) {
  MSG message;
  // The queue must exist before anyone learns the thread's id: a message posted
  // to a thread without one is lost.
  ::PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  started.set_value(::GetCurrentThreadId());
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == messageId_) {
      OnRequest(static_cast<uint64_t>(message.wParam), static_cast<uint64_t>(message.lParam));
    }
  }
}

// The arguments are copied here, at once, so that the second instance can let
// the next one use the area; the application gets them on a thread of their own.
void Win32FirstInstance::OnRequest(uint64_t wParam, uint64_t lParam) {
  const RequestTag tag = RequestOfMessageParameter(wParam);
  HandOffWord word(block_.Bytes());
  // A request of a start that gave up: its arguments are gone, and the area may
  // hold those of another start, which its own request will take.
  if (word.Load() != tag.number) return;
  std::optional<WideStringList> arguments = ReadArguments(tag.threadId, lParam);
  // Withdrawn while they were read: the start has given up after all.
  if (!word.Replace(tag.number, tag.number | kHandOffTaken)) return;
  ::SetEvent(copiedEvent_.Get());
  const uint32_t requester = tag.threadId;
  const uint32_t messageId = messageId_;
  Reply reply = [requester, messageId](int32_t value) {
    ::PostThreadMessageW(requester, messageId, static_cast<WPARAM>(ReplyAsMessageParameter(value)), 0);
  };
  SendAway sendAway = [requester, messageId] {
    ::PostThreadMessageW(requester, messageId, 0, static_cast<LPARAM>(kSentAwayParameter));
  };
  if (!arguments) {
    reply(kRefusedReply);
    return;
  }
  auto serve = [gate = gate_, arguments = std::move(*arguments), reply, sendAway] {
    ServeRequest(*gate, arguments, reply, sendAway);
  };
  if (!platform::StartDetachedThread(std::move(serve))) reply(kRefusedReply);
}

std::optional<WideStringList> Win32FirstInstance::ReadArguments(uint32_t requester, uint64_t lParam) const {
  if (lParam == 0) {
    const std::string area(block_.Bytes() + kArgumentAreaOffset, kSharedBlockSize - kArgumentAreaOffset);
    return DecodeArgumentArea(area);
  }
  if (lParam > kMaximumPacketSize) return std::nullopt;
  const size_t size = static_cast<size_t>(lParam);
  platform::win32::Mapping mapping(
      ::OpenFileMappingW(FILE_MAP_READ, FALSE, PacketMappingNameOf(block_.objectName, requester).c_str()));
  if (!mapping) return std::nullopt;
  // A size beyond the mapping fails here rather than reading past it.
  platform::win32::MappedView view(::MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, size));
  if (!view) return std::nullopt;
  const std::string packet(static_cast<const char*>(view.Get()), size);
  return DecodeArgumentPacket(packet, PacketText::Utf16);
}

void Win32FirstInstance::OpenForwarding(RequestHandler handler) {
  gate_->Open(std::move(handler));
  if (forwardingEvent_) ::SetEvent(forwardingEvent_.Get());
}

void Win32FirstInstance::StopMessageThread() {
  if (!messageThread_.joinable()) return;
  // Posting fails while the queue is full, which the thread is draining, and
  // for ever once the thread has ended: any process of the session may post it
  // a WM_QUIT of its own.
  constexpr DWORD kRetryMs = 10;
  while (!::PostThreadMessageW(messageThreadId_, WM_QUIT, 0, 0)) {
    if (!messageThreadHandle_ || ::WaitForSingleObject(messageThreadHandle_.Get(), kRetryMs) != WAIT_TIMEOUT) break;
  }
  messageThread_.join();
}

// A header of zeros tells later starts that nobody serves the block: the next
// one takes the first instance's place instead of handing its arguments to a
// process that is ending. Written while no hand-off is under way, so the
// requests already posted have been copied; the gate then sends them away. A
// header that is no longer this instance's (a start that came while the mutex
// could not be had took the place) stays.
void Win32FirstInstance::GiveUp() {
  if (gaveUp_) return;
  gaveUp_ = true;
  {
    const std::optional<HeldMutex> mutex = TakeHandOffMutex(block_.objectName, kHandOffWaitMs);
    const BlockHeader header = ReadBlockHeader({block_.Bytes(), kSharedBlockSize});
    if (header.processId == ::GetCurrentProcessId() && header.messageThreadId == messageThreadId_) {
      WriteBlockHeader(block_.Bytes(), {});
    }
  }
  gate_->Close();
}

Win32FirstInstance::~Win32FirstInstance() {
  GiveUp();
  StopMessageThread();
  block_.view.Reset();
  block_.mapping.Reset();
  copiedEvent_.Reset();
  forwardingEvent_.Reset();
  messageThreadHandle_.Reset();
}

}  // namespace

std::unique_ptr<FirstInstance> StartFirstInstance(ClaimedBlock block) {
  auto first = std::make_unique<Win32FirstInstance>(std::move(block));
  if (!first->SetUp()) return nullptr;
  return first;
}

}  // namespace launcher::instance
