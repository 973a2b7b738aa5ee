#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <thread>

#include "instance/hand_off.h"
#include "instance/pending_answers_posix.h"
#include "instance/socket_messages.h"
#include "instance/socket_roles_posix.h"
#include "platform/threads.h"

namespace launcher::instance {

namespace {

// A second instance sends its request right after connecting; one that does
// not within this time is dropped.
constexpr int kRequestWaitSeconds = 5;

// Reads the request on the request's own thread, then serves it. The connection
// waits among the pending answers until the reply, or until the process ends.
void ServeConnection(platform::posix::Descriptor connection, const std::shared_ptr<ForwardingGate>& gate) {
  LimitReceiveWait(connection, kRequestWaitSeconds);
  const std::optional<std::string> lengthBytes = ReceiveExactly(connection, kRequestLengthSize);
  const std::optional<uint32_t> length = lengthBytes ? RequestLength(*lengthBytes) : std::nullopt;
  if (!length) return;
  const std::optional<std::string> packet = ReceiveExactly(connection, *length);
  if (!packet) return;
  const std::optional<WideStringList> arguments = DecodeRequestPacket(*packet);
  if (!SendAll(connection, EncodeAnswer({Answer::Kind::Copied, static_cast<int32_t>(getpid())}))) return;
  PendingAnswers& pending = PendingAnswers::OfProcess();
  const PendingAnswers::Ticket ticket = pending.Add(std::move(connection));
  const Reply reply = [ticket](int32_t value) {
    PendingAnswers::OfProcess().Send(ticket, {Answer::Kind::Reply, value});
  };
  const SendAway sendAway = [ticket] { PendingAnswers::OfProcess().Send(ticket, {Answer::Kind::SentAway, 0}); };
  if (!arguments) {
    reply(kRefusedReply);
    return;
  }
  ServeRequest(*gate, *arguments, reply, sendAway);
}

class PosixFirstInstance final : public FirstInstance {
 public:
  PosixFirstInstance(platform::posix::Descriptor lock, platform::posix::Descriptor listener, std::string socketPath)
      : lock_(std::move(lock)), listener_(std::move(listener)), socketPath_(std::move(socketPath)) {}
  ~PosixFirstInstance() override;

  bool Start();
  void OpenForwarding(RequestHandler handler) override { gate_->Open(std::move(handler)); }
  void CloseForwarding() override {
    GiveUp();
    gate_->Drain();
  }

 private:
  void AcceptConnections();
  void GiveUp();

  platform::posix::Descriptor lock_;
  platform::posix::Descriptor listener_;
  std::string socketPath_;
  std::shared_ptr<ForwardingGate> gate_ = std::make_shared<ForwardingGate>();
  platform::posix::Descriptor wakeRead_;
  platform::posix::Descriptor wakeWrite_;
  std::thread acceptThread_;
  bool gaveUp_ = false;
};

bool PosixFirstInstance::Start() {
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) return false;
  wakeRead_.Reset(pipeEnds[0]);
  wakeWrite_.Reset(pipeEnds[1]);
  try {
    acceptThread_ = std::thread(&PosixFirstInstance::AcceptConnections, this);
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

void PosixFirstInstance::AcceptConnections() {
  pollfd watched[] = {{listener_.Get(), POLLIN, 0}, {wakeRead_.Get(), POLLIN, 0}};
  for (;;) {
    if (poll(watched, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (watched[1].revents != 0) return;
    platform::posix::Descriptor connection(accept4(listener_.Get(), nullptr, nullptr, SOCK_CLOEXEC));
    if (!connection || !PeerIsThisUser(connection)) continue;
    // The descriptor moves into the thread only once the thread exists.
    auto shared = std::make_shared<platform::posix::Descriptor>(std::move(connection));
    platform::StartDetachedThread([shared, gate = gate_] { ServeConnection(std::move(*shared), gate); });
  }
}

// Later starts find no first instance from here on and the next takes the
// place; requests accepted before are sent away by the gate.
void PosixFirstInstance::GiveUp() {
  if (gaveUp_) return;
  gaveUp_ = true;
  if (acceptThread_.joinable()) {
    const char wake = 0;
    while (write(wakeWrite_.Get(), &wake, 1) < 0 && errno == EINTR) {
    }
    acceptThread_.join();
  }
  // The socket goes while the lock is still held: the next holder's socket
  // must never be the one removed.
  unlink(socketPath_.c_str());
  listener_.Reset();
  lock_.Reset();
  gate_->Close();
}

PosixFirstInstance::~PosixFirstInstance() { GiveUp(); }

}  // namespace

std::unique_ptr<FirstInstance> StartFirstInstance(platform::posix::Descriptor lock,
                                                  platform::posix::Descriptor listener, std::string socketPath) {
  auto first = std::make_unique<PosixFirstInstance>(std::move(lock), std::move(listener), std::move(socketPath));
  if (!first->Start()) return nullptr;
  return first;
}

}  // namespace launcher::instance
