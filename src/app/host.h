#pragma once

#include <functional>
#include <optional>

#include "common/trace.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/wide_string.h"
#include "ui/user_interface.h"

namespace launcher::app {

// What the launcher learns from and shows through the system, in one place so
// that tests can stand in for it: the user interface, the registry, the
// executable's own path, the built-in settings it carries, and the trace that
// explains its decisions (none unless asked for). A console launcher shows no
// splash and ends with the exit code java would give; the POSIX launcher,
// though on a terminal, keeps the windowed launcher's ways.
struct Host {
  ui::UserInterface& ui;
  platform::Registry& registry;
  std::function<platform::SystemResult<WideString>()> modulePath;
  std::function<std::optional<WideString>()> builtinSettingsText;
  Trace& trace = NoTrace();
  platform::ImageSubsystem subsystem = platform::ImageSubsystem::Windowed;
};

// The system's, for the subsystem the executable was linked for: a console
// launcher tells the user everything on the terminal.
Host& SystemHost(platform::ImageSubsystem subsystem = platform::ImageSubsystem::Windowed);

}  // namespace launcher::app
