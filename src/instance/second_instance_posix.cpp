#include "instance/hand_off.h"
#include "instance/socket_messages.h"
#include "instance/socket_roles_posix.h"

namespace {

class PosixSecondInstance final : public SecondInstance {
 public:
  explicit PosixSecondInstance(Descriptor connection) : connection_(std::move(connection)) {}

  // Waits as long as the first instance lives: its answer comes when
  // secondaryMain has replied or when the first instance ends.
  int32_t HandOff(const WideStringList& arguments, Trace& trace) override {
    if (!SendAll(connection_, EncodeRequest(arguments))) return -1;
    TraceHandedOff(trace);
    const std::optional<std::string> bytes = ReceiveExactly(connection_, kAnswerSize);
    return ExitCodeOfAnswer(bytes ? DecodeAnswer(*bytes) : std::nullopt);
  }

 private:
  Descriptor connection_;
};

}  // namespace

std::unique_ptr<SecondInstance> JoinFirstInstance(Descriptor connection) {
  return std::make_unique<PosixSecondInstance>(std::move(connection));
}
