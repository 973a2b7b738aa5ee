#pragma once

#include <functional>
#include <optional>

#include "common/trace.h"
#include "platform/module_path.h"
#include "platform/registry.h"
#include "platform/wide_string.h"
#include "ui/user_interface.h"

// What the launcher learns from and shows through the system, in one place so
// that tests can stand in for it: the user interface, the registry, the
// executable's own path, the built-in settings it carries, and the trace that
// explains its decisions (none unless asked for).
struct Host {
  UserInterface& ui;
  Registry& registry;
  std::function<platform::ModulePathResult()> modulePath;
  std::function<std::optional<WideString>()> builtinSettingsText;
  Trace& trace = NoTrace();
};

Host& SystemHost();
