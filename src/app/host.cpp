#include "app/host.h"

#include "platform/builtin_settings_resource.h"

Host& SystemHost() {
  static Host host{SystemUserInterface(), SystemRegistry(), &platform::QueryModulePath,
                   &platform::LoadBuiltinSettingsText};
  return host;
}
