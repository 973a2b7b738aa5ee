#pragma once

#include <string>
#include <vector>

#include "dialog_controls.h"
#include "dialog_windows.h"

namespace ui_driver {

// The line-oriented listing that scripts read:
//   dialog pid=<decimal> process="<image file name>" caption="<text>"
//   control id=<decimal> class="<class>" enabled=<0|1> visible=<0|1> text="<text>"
// one dialog line followed by one line per control, in z-order. Free text
// comes last on its line, quoted, with \\ \" \n \r \t and \xHH escapes; a
// window that did not answer shows the bare word ?, unquoted, instead.
std::wstring Quote(const std::wstring& text);
std::wstring DescribeDialog(const DialogWindow& dialog, const std::vector<Control>& controls);
std::wstring DescribeDialogs(const std::vector<DialogWindow>& dialogs);

// UTF-8 to standard output or standard error (UTF-16 when that is a console).
void WriteOut(const std::wstring& text);
void WriteError(const std::wstring& text);

}  // namespace ui_driver
