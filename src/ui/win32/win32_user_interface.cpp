#include "platform/windows_api.h"
#include "resource_ids.h"
#include "ui/user_interface.h"
#include "ui/win32/exception_dialog.h"
#include "ui/win32/jre_not_found_dialog.h"
#include "ui/win32/ole_session.h"
#include "ui/win32/progress_dialog.h"
#include "ui/win32/shell_functions.h"

namespace launcher::ui {

namespace {

using ui::win32::ExceptionDialog;
using ui::win32::JreNotFoundDialog;
using ui::win32::OleSession;
using ui::win32::ProgressDialog;
using ui::win32::ShellFunctions;

// The link's tooltip and the progress bar are common controls.
void RegisterCommonControls(const ShellFunctions& shell) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
  shell.initCommonControls(&controls);
}

class NoProgress final : public ProgressSink {
 public:
  void Report(const ProgressState&) override {}
  bool CancelRequested() override { return false; }
};

class Win32UserInterface final : public UserInterface {
 public:
  void ShowError(WindowHandle owner, const WideString& text) override {
    ::MessageBoxW(static_cast<HWND>(owner), text.c_str(), nullptr, MB_ICONERROR);
  }

  // Without the shell's libraries the question cannot be asked.
  RuntimeAnswer AskForRuntime(WindowHandle owner, const RuntimeQuestion& question) override {
    const ShellFunctions* shell = ui::win32::LoadShellFunctions();
    if (shell == nullptr) return {RuntimeAnswer::Kind::NotShown, {}, {}};
    const OleSession ole(*shell);
    RegisterCommonControls(*shell);
    JreNotFoundDialog dialog(question);
    switch (dialog.Run(static_cast<HWND>(owner))) {
      case IDOK:
        return {RuntimeAnswer::Kind::Chosen, dialog.ChosenFolder(), dialog.ChosenLibrary()};
      case IDC_INSTALL:
        return {RuntimeAnswer::Kind::Install, {}, {}};
      case IDCANCEL:
        return {RuntimeAnswer::Kind::Cancelled, {}, {}};
      default:
        return {RuntimeAnswer::Kind::NotShown, {}, {}};
    }
  }

  // Without a dialog the work still runs (the user asked for it), with nothing
  // to show or cancel it.
  void RunWithProgress(WindowHandle owner, const WideString& caption, const BackgroundWork& work) override {
    const ShellFunctions* shell = ui::win32::LoadShellFunctions();
    if (shell != nullptr) {
      RegisterCommonControls(*shell);
      ProgressDialog dialog(caption, work);
      if (dialog.Run(static_cast<HWND>(owner)) != -1) return;
    }
    NoProgress none;
    work(none);
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

}  // namespace launcher::ui
