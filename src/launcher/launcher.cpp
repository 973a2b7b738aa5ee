#include "launcher/launcher.h"

#include "discovery/runtime_resolution.h"
#include "launcher/command_line.h"
#include "launcher/settings_file.h"

namespace {

Launcher* current_launcher = nullptr;

}  // namespace

Launcher::Launcher(Host& services) : host(services) { current_launcher = this; }

Launcher::~Launcher() {
  if (current_launcher == this) current_launcher = nullptr;
}

Launcher* Launcher::Current() { return current_launcher; }

bool Launcher::Initialize() {
  arguments = ReadCommandLine(platform::QueryCommandLine());
  if (!ReadSettings(*this)) return false;
  return ResolveRuntime(*this);
}

int32_t Launcher::Run() { return -1; }

void Launcher::Cleanup() {
  arguments.clear();
  jvmOptions.clear();
  preferredVersions.clear();
}

uint32_t Launcher::RunJvmThread() { return 1; }
