#include "app/host.h"

#include "app/trace_file.h"
#include "platform/process.h"

Host& SystemHost(platform::ImageSubsystem subsystem) {
  UserInterface& ui = subsystem == platform::ImageSubsystem::Console ? ConsoleUserInterface() : SystemUserInterface();
  static Host host{
      ui, SystemRegistry(), &platform::QueryModulePath, &platform::LoadBuiltinSettingsText, SystemTrace(), subsystem};
  return host;
}
