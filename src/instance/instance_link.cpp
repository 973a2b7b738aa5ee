#include "instance/instance_link.h"

InstanceLink::InstanceLink(const InstanceSettings& settings, const WideString& executablePath, Trace& trace)
    : role_(OrdinaryStart{}), trace_(trace) {
  if (settings.singleInstance) role_ = SetUpSingleInstance(executablePath);
}

FirstInstance* InstanceLink::First() const {
  const auto* first = std::get_if<std::unique_ptr<FirstInstance>>(&role_);
  return first != nullptr ? first->get() : nullptr;
}

std::optional<int32_t> InstanceLink::HandOff(const WideStringList& arguments) {
  auto* second = std::get_if<std::unique_ptr<SecondInstance>>(&role_);
  if (second == nullptr) return std::nullopt;
  return (*second)->HandOff(arguments, trace_);
}

void InstanceLink::Release() { role_ = OrdinaryStart{}; }

void InstanceLink::MainStarting(RequestHandler serve) {
  if (FirstInstance* first = First()) first->OpenForwarding(std::move(serve));
}

void InstanceLink::JvmDestroyed() {
  FirstInstance* first = First();
  if (first == nullptr) return;
  first->CloseForwarding();
  TraceLine(trace_, "forwarding-closed").Write();
}
