#include "app/program_mode.h"
#include "platform/image_subsystem.h"
#include "platform/process_command_line.h"
#include "platform/windows_api.h"

// launcher.exe and launcher-console.exe both start here.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return RunProgram(SystemHost(platform::OwnImageSubsystem()), platform::QueryCommandLine());
}
