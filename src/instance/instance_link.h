#pragma once

#include <cstdint>
#include <optional>

#include "common/trace.h"
#include "instance/single_instance.h"
#include "platform/wide_string.h"
#include "settings/launcher_settings.h"

// A start's part in single-instance mode, owned by the run sequence from the
// moment the settings are read: the role this start took, and what the
// moments of the run mean for it. A first instance's objects are released
// when the link goes (the forwarding event last).
class InstanceLink {
 public:
  // With "Single Instance" on, takes this start's role among the starts of the
  // executable; an ordinary start otherwise.
  InstanceLink(const InstanceSettings& settings, const WideString& executablePath, Trace& trace);
  InstanceLink(const InstanceLink&) = delete;
  InstanceLink& operator=(const InstanceLink&) = delete;

  // A second instance hands the arguments to the first and has its answer:
  // the exit code. nullopt for the other starts, which go on.
  std::optional<int32_t> HandOff(const WideStringList& arguments);

  // Another process runs the application (the companion) and is the instance
  // from now on: later starts go to it, or to another companion through
  // another launcher, not to this process.
  void Release();

  // On the JVM thread, right before main: a first instance lets the later
  // starts through to serve from now on, those that waited first.
  void MainStarting(RequestHandler serve);

  // The JVM is gone: a request let through from now on would attach to
  // nothing, so a first instance answers no more of them.
  void JvmDestroyed();

 private:
  FirstInstance* First() const;

  InstanceRole role_;
  Trace& trace_;
};
