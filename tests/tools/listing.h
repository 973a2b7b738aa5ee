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
//
// With the geometry, fields go in before the free text:
//   dialog pid=.. process=".." hwnd=0x<8 hex> rect=L,T,R,B client=W,H
//       style=0x<8 hex> exstyle=0x<8 hex> owner=<0x<8 hex>|0> owner-class="<class>" caption=".."
//   control id=.. class=".." enabled=.. visible=.. rect=L,T,R,B style=0x.. exstyle=0x.. text=".."
// the dialog's rect in screen coordinates, a control's in the dialog's client
// coordinates; owner-class is "" when the dialog has no owner.
//
// Any top-level window, for "windows":
//   window hwnd=0x.. class=".." rect=L,T,R,B style=0x.. exstyle=0x.. class-style=0x..
//       visible=<0|1> thread=<decimal>
enum class Detail { Plain, Geometry };

std::wstring Quote(const std::wstring& text);
std::wstring DescribeDialog(const DialogWindow& dialog, const std::vector<Control>& controls,
                            Detail detail = Detail::Plain);
std::wstring DescribeDialogs(const std::vector<DialogWindow>& dialogs, Detail detail = Detail::Plain);
std::wstring DescribeWindow(HWND window);

// 0x and eight upper-case hex digits.
std::wstring HexText(DWORD value);
// A window handle as HexText writes it; 0 for none.
std::wstring HandleText(HWND window);
// L,T,R,B in decimal.
std::wstring RectText(const RECT& rect);

// UTF-8 to standard output or standard error (UTF-16 when that is a console).
void WriteOut(const std::wstring& text);
void WriteError(const std::wstring& text);

}  // namespace ui_driver
