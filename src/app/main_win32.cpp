#include "app/program_mode.h"
#include "platform/process.h"
#include "platform/windows_api.h"

// launcher.exe and launcher-console.exe both start here.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return launcher::app::RunProgram(launcher::app::SystemHost(launcher::platform::OwnImageSubsystem()),
                                   launcher::platform::QueryCommandLine());
}
