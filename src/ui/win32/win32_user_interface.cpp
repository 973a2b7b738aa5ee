#include "platform/windows_api.h"
#include "ui/user_interface.h"
#include "ui/win32/exception_dialog.h"
#include "ui/win32/jre_not_found_dialog.h"
#include "ui/win32/ole_session.h"
#include "ui/win32/shell_functions.h"

namespace {

using ui::win32::ExceptionDialog;
using ui::win32::JreNotFoundDialog;
using ui::win32::OleSession;
using ui::win32::ShellFunctions;

// The link's tooltip is a common control.
void RegisterCommonControls(const ShellFunctions& shell) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  shell.initCommonControls(&controls);
}

class Win32UserInterface final : public UserInterface {
 public:
  void ShowError(WindowHandle owner, const WideString& text) override {
    ::MessageBoxW(static_cast<HWND>(owner), text.c_str(), nullptr, MB_ICONERROR);
  }

  // Without the shell's libraries the question cannot be asked.
  RuntimeAnswer AskForRuntime(WindowHandle owner, const WideString& message, const FolderCheck& check) override {
    const ShellFunctions* shell = ui::win32::LoadShellFunctions();
    if (shell == nullptr) return {RuntimeAnswer::Kind::NotShown, {}, {}};
    const OleSession ole(*shell);
    RegisterCommonControls(*shell);
    JreNotFoundDialog dialog(message, check);
    const INT_PTR result = dialog.Run(static_cast<HWND>(owner));
    if (result == IDOK) return {RuntimeAnswer::Kind::Chosen, dialog.ChosenFolder(), dialog.ChosenLibrary()};
    return {result == IDCANCEL ? RuntimeAnswer::Kind::Cancelled : RuntimeAnswer::Kind::NotShown, {}, {}};
  }

  // On the JVM thread, which usually has no active window to own the dialog.
  ExceptionAnswer ShowException(const WideString& trace) override {
    ExceptionDialog dialog(trace);
    switch (dialog.Run(::GetActiveWindow())) {
      case IDOK:
        return ExceptionAnswer::Ignore;
      case IDCANCEL:
        return ExceptionAnswer::Stop;
      default:
        return ExceptionAnswer::NotShown;
    }
  }
};

}  // namespace

UserInterface& SystemUserInterface() {
  static Win32UserInterface ui;
  return ui;
}
