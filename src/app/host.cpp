#include "app/host.h"

#include "app/trace_file.h"
#include "platform/process.h"

namespace launcher::app {

Host& SystemHost(platform::ImageSubsystem subsystem) {
  ui::UserInterface& ui =
      subsystem == platform::ImageSubsystem::Console ? ui::ConsoleUserInterface() : ui::SystemUserInterface();
  static Host host{ui,
                   platform::SystemRegistry(),
                   &platform::QueryModulePath,
                   &platform::LoadBuiltinSettingsText,
                   SystemTrace(),
                   subsystem};
  return host;
}

}  // namespace launcher::app
