#include "launcher/splash.h"

void CloseSplash(Launcher&) {}
