#include "launcher/entry_point.h"
#include "platform/windows_api.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return RunLauncher(SystemHost()); }
