#include "instance/instance_link.h"

namespace launcher::instance {

namespace {

// How often a start that found its first instance ending looks again: another
// start may have taken the place in between, and may be ending too.
constexpr int kRoleAttempts = 3;

}  // namespace

InstanceLink::InstanceLink(const settings::InstanceSettings& settings, const WideString& executablePath, Trace& trace)
    : executablePath_(executablePath), role_(OrdinaryStart{}), trace_(trace) {
  if (settings.singleInstance) role_ = SetUpSingleInstance(executablePath);
}

FirstInstance* InstanceLink::First() const {
  const auto* first = std::get_if<std::unique_ptr<FirstInstance>>(&role_);
  return first != nullptr ? first->get() : nullptr;
}

std::optional<int32_t> InstanceLink::HandOff(const WideStringList& arguments) {
  for (int attempt = 1;; ++attempt) {
    auto* second = std::get_if<std::unique_ptr<SecondInstance>>(&role_);
    if (second == nullptr) return std::nullopt;
    const HandOffOutcome outcome = (*second)->HandOff(arguments, trace_);
    if (outcome.end == HandOffOutcome::End::Answered) return outcome.exitCode;
    TraceLine(trace_, "first-instance-ending")
        .Number("attempt", attempt)
        .Sentence("the first instance is ending and did not serve the arguments; this start takes its place")
        .Write();
    // The second instance's objects go before the place is taken again.
    role_ = OrdinaryStart{};
    if (attempt == kRoleAttempts) return std::nullopt;
    role_ = SetUpSingleInstance(executablePath_);
  }
}

void InstanceLink::Release() { role_ = OrdinaryStart{}; }

void InstanceLink::MainStarting(RequestHandler serve) {
  if (FirstInstance* first = First()) first->OpenForwarding(std::move(serve));
}

void InstanceLink::JvmEnding(const std::function<void()>& waitForApplication) {
  FirstInstance* first = First();
  if (first == nullptr) return;
  TraceLine(trace_, "application-threads-awaited")
      .Sentence("later starts are served until the application's threads end")
      .Write();
  waitForApplication();
  TraceLine(trace_, "forwarding-closing").Sentence("later starts run on their own; requests under way finish").Write();
  first->CloseForwarding();
  TraceLine(trace_, "forwarding-closed").Write();
  Release();
}

}  // namespace launcher::instance
