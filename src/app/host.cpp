#include "app/host.h"

#include "app/trace_file.h"
#include "platform/builtin_settings_resource.h"

Host& SystemHost() {
  static Host host{SystemUserInterface(), SystemRegistry(), &platform::QueryModulePath,
                   &platform::LoadBuiltinSettingsText, SystemTrace()};
  return host;
}
