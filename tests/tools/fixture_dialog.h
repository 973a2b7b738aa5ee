#pragma once

#include "platform/windows_api.h"

namespace window_fixture {

// A resizable modal dialog from an in-memory template (class #32770) whose
// static control 205 is filled with the colour. It reports on standard output:
//   dialog hwnd=0x..                         once it is up
//   command id=N code=N                      each WM_COMMAND
//   mouse move|down|up id=N x=X y=Y keys=K   mouse messages of controls 205 and 101
//   char id=N code=0xHH                      characters that reach control 101
//   size type=N client=W,H                   each WM_SIZE
//   report ... / report-control ...          when button 103 (Report) is pressed
//   ended result=N                           when the dialog has ended
// OK (1, the default button) and Cancel (2) end it with their id.
int RunDialog(COLORREF staticColour);

}  // namespace window_fixture
