#pragma once

#include "platform/wide_string.h"
#include "ui/win32/dialog_resizer.h"
#include "ui/win32/window_object.h"

namespace launcher::ui::win32 {

// The "Java Exception" dialog (template 231): an uncaught exception's stack
// trace in a read-only text box, in a dialog that can be resized. RunModal
// gives IDOK for Ignore (also Enter) and IDCANCEL for Stop (also Escape and
// the close box).
class ExceptionDialog final : public DialogObject {
 public:
  explicit ExceptionDialog(WideString trace) : trace_(std::move(trace)) {}

  INT_PTR Run(HWND owner);

 protected:
  std::optional<INT_PTR> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  INT_PTR OnInitDialog();

  WideString trace_;
  DialogResizer resizer_;
};

}  // namespace launcher::ui::win32
