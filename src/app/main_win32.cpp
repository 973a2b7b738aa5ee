#include "app/program_mode.h"
#include "platform/windows_api.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return RunProgram(SystemHost()); }
