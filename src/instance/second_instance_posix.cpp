#include "instance/hand_off.h"
#include "instance/socket_messages.h"
#include "instance/socket_roles_posix.h"

namespace launcher::instance {

namespace {

class PosixSecondInstance final : public SecondInstance {
 public:
  explicit PosixSecondInstance(platform::posix::Descriptor connection) : connection_(std::move(connection)) {}

  // Waits as long as the first instance lives: its answer comes when
  // secondaryMain has replied or when the first instance ends. A connection
  // that closes before the arguments are acknowledged, or an instance that
  // sends the request away, is one that is ending.
  HandOffOutcome HandOff(const WideStringList& arguments, Trace& trace) override {
    if (!SendAll(connection_, EncodeRequest(arguments))) return {HandOffOutcome::End::FirstEnding, 0};
    const std::optional<Answer> copied = Receive();
    if (!copied || copied->kind == Answer::Kind::SentAway) return {HandOffOutcome::End::FirstEnding, 0};
    if (copied->kind != Answer::Kind::Copied) return {HandOffOutcome::End::Answered, ExitCodeOfAnswer(copied)};
    TraceLine(trace, "first-instance").Number("process", static_cast<uint32_t>(copied->value)).Write();
    TraceHandedOff(trace);
    const std::optional<Answer> answer = Receive();
    if (answer && answer->kind == Answer::Kind::SentAway) return {HandOffOutcome::End::FirstEnding, 0};
    return {HandOffOutcome::End::Answered, ExitCodeOfAnswer(answer)};
  }

 private:
  std::optional<Answer> Receive() const {
    const std::optional<std::string> bytes = ReceiveExactly(connection_, kAnswerSize);
    return bytes ? DecodeAnswer(*bytes) : std::nullopt;
  }

  platform::posix::Descriptor connection_;
};

}  // namespace

std::unique_ptr<SecondInstance> JoinFirstInstance(platform::posix::Descriptor connection) {
  return std::make_unique<PosixSecondInstance>(std::move(connection));
}

}  // namespace launcher::instance
