#pragma once

class Launcher;

// Closes the launcher's own splash window and ends its thread, if one is shown.
// The launcher shows no splash window of its own yet, so there is nothing to close.
void CloseSplash(Launcher& launcher);
