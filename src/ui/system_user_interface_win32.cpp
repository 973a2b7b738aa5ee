#include "launcher/user_interface.h"
#include "platform/windows_api.h"

namespace {

class Win32UserInterface final : public UserInterface {
 public:
  void ShowError(WindowHandle owner, const WideString& text) override {
    ::MessageBoxW(static_cast<HWND>(owner), text.c_str(), nullptr, MB_ICONERROR);
  }

  // The "JRE Not Found" dialog is not built yet: the user cannot pick a runtime.
  RuntimeChoice AskForRuntime(WindowHandle, const WideString&, JvmTypeMode) override { return {}; }

  // The "Java Exception" dialog is not built yet: it counts as not shown.
  int ShowException(const WideString&) override { return kDialogNotShown; }
};

}  // namespace

UserInterface& SystemUserInterface() {
  static Win32UserInterface ui;
  return ui;
}
