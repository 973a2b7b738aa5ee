#include "platform/windows_api.h"
#include "ui/user_interface.h"

namespace {

class Win32UserInterface final : public UserInterface {
 public:
  void ShowError(WindowHandle owner, const WideString& text) override {
    ::MessageBoxW(static_cast<HWND>(owner), text.c_str(), nullptr, MB_ICONERROR);
  }

  // The "JRE Not Found" dialog is not built yet: the user cannot pick a runtime.
  RuntimeAnswer AskForRuntime(WindowHandle, const WideString&, const FolderCheck&) override { return {}; }

  // The "Java Exception" dialog is not built yet: it counts as not shown.
  ExceptionAnswer ShowException(const WideString&) override { return ExceptionAnswer::NotShown; }
};

}  // namespace

UserInterface& SystemUserInterface() {
  static Win32UserInterface ui;
  return ui;
}
