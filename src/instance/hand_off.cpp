#include "instance/hand_off.h"

namespace launcher::instance {

int32_t ExitCodeWithoutReply(std::optional<uint32_t> firstInstanceExitCode) {
  return firstInstanceExitCode ? static_cast<int32_t>(*firstInstanceExitCode) : -1;
}

void TraceHandedOff(Trace& trace) {
  TraceLine(trace, "handed-off").Sentence("the first instance has the arguments; waiting for its answer").Write();
}

uint64_t ReplyAsMessageParameter(int32_t reply) { return static_cast<uint32_t>(reply); }

int32_t ReplyOfMessageParameter(uint64_t wParam) { return static_cast<int32_t>(static_cast<uint32_t>(wParam)); }

int32_t ExitCodeOfAnswer(const std::optional<Answer>& answer) { return answer ? answer->value : -1; }

uint64_t RequestAsMessageParameter(const RequestTag& tag) {
  return (static_cast<uint64_t>(tag.number) << 32) | tag.threadId;
}

RequestTag RequestOfMessageParameter(uint64_t wParam) {
  return {static_cast<uint32_t>(wParam), static_cast<uint32_t>(wParam >> 32)};
}

std::optional<uint32_t> ForegroundGrantFor(uint32_t firstInstanceProcessId, uint32_t ownProcessId) {
  if (firstInstanceProcessId == 0 || firstInstanceProcessId == ownProcessId) return std::nullopt;
  return firstInstanceProcessId;
}

void TraceForegroundGrant(Trace& trace, uint32_t processId, bool granted) {
  TraceLine(trace, "foreground-grant").Number("process", processId).Flag("granted", granted).Write();
}

}  // namespace launcher::instance
