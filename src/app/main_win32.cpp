#include "app/run_sequence.h"
#include "platform/windows_api.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return RunLauncher(SystemHost()); }
