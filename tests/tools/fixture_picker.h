#pragma once

namespace window_fixture {

// The shell's folder picker, as an application shows it (flags 0x241: file
// system folders only, the new dialog style, no "new folder" button). Reports
// "picked path=<the folder's path>" or "picked none" when it was cancelled.
int RunPicker();

}  // namespace window_fixture
