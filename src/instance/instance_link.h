#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "common/trace.h"
#include "instance/single_instance.h"
#include "platform/wide_string.h"
#include "settings/launcher_settings.h"

namespace launcher::instance {

// A start's part in single-instance mode, owned by the run sequence from the
// moment the settings are read: the role this start took, and what the
// moments of the run mean for it. A first instance's objects are released
// when the link goes (the forwarding event last).
class InstanceLink {
 public:
  // With "Single Instance" on, takes this start's role among the starts of the
  // executable; an ordinary start otherwise.
  InstanceLink(const settings::InstanceSettings& settings, const WideString& executablePath, Trace& trace);
  InstanceLink(const InstanceLink&) = delete;
  InstanceLink& operator=(const InstanceLink&) = delete;

  // A second instance hands the arguments to the first and has its answer:
  // the exit code. nullopt for the other starts, which go on; so does a
  // second instance whose first instance was ending, as the first instance
  // that takes its place.
  std::optional<int32_t> HandOff(const WideStringList& arguments);

  // Another process runs the application (the companion, or a restarted copy)
  // and is the instance from now on: later starts go to it, not to this process.
  // Safe on the thread of the JVM's exit hook.
  void Release();

  // On the JVM thread, right before main: a first instance lets the later
  // starts through to serve from now on, those that waited first.
  void MainStarting(RequestHandler serve);

  // Main has ended and the JVM is to be destroyed. A first instance serves
  // later starts until waitForApplication returns (the application's threads
  // have ended), then lets the requests being served finish and stops being the
  // first instance: later starts run on their own rather than wait for a
  // process that is ending. Other starts do not wait here.
  void JvmEnding(const std::function<void()>& waitForApplication);

 private:
  FirstInstance* First() const;

  WideString executablePath_;
  InstanceRole role_;
  Trace& trace_;
};

}  // namespace launcher::instance
