#include "ui/win32/jre_not_found_dialog.h"

#include "common/message_text.h"
#include "platform/paths.h"
#include "resource_ids.h"
#include "ui/win32/center_dialog.h"
#include "ui/win32/folder_picker.h"

namespace launcher::ui::win32 {

JreNotFoundDialog::JreNotFoundDialog(RuntimeQuestion question) : question_(std::move(question)) {}

INT_PTR JreNotFoundDialog::Run(HWND owner) {
  return RunModal(question_.installChoice.empty() ? IDD_JRE_NOT_FOUND : IDD_JRE_NOT_FOUND_INSTALL, owner);
}

std::optional<INT_PTR> JreNotFoundDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return OnInitDialog();
  if (message != WM_COMMAND) return std::nullopt;
  switch (LOWORD(wParam)) {
    case IDOK:
    case IDCANCEL:
    case IDC_INSTALL:
      ::EndDialog(Handle(), LOWORD(wParam));
      return 0;
    case IDC_BROWSE:
      OnBrowse();
      return 0;
    default:
      return std::nullopt;
  }
}

INT_PTR JreNotFoundDialog::OnInitDialog() {
  HWND dialog = Handle();
  link_.Attach(::GetDlgItem(dialog, IDC_DOWNLOAD_LINK));
  ::SetDlgItemTextW(dialog, IDC_JRE_MESSAGE, question_.message.c_str());
  ::SendDlgItemMessageW(dialog, IDC_ERROR_ICON, STM_SETICON, reinterpret_cast<WPARAM>(::LoadIconW(nullptr, IDI_HAND)),
                        0);
  ::EnableWindow(::GetDlgItem(dialog, IDOK), FALSE);
  CenterDialog(dialog);
  if (!question_.installChoice.empty()) {
    HWND install = ::GetDlgItem(dialog, IDC_INSTALL);
    ::SetWindowTextW(install, question_.installChoice.c_str());
    // Enter installs, as the default button says.
    ::SetFocus(install);
  }
  // No control gets the focus from the system.
  return FALSE;
}

void JreNotFoundDialog::OnBrowse() {
  HWND dialog = Handle();
  const ShellFunctions* shell = LoadShellFunctions();
  if (shell == nullptr) return;
  const std::optional<WideString> folder = PickFolder(*shell, dialog, LoadStringText(StringId::kBrowseForJre));
  if (!folder) return;
  ::SetDlgItemTextW(dialog, IDC_JRE_PATH, folder->c_str());
  chosenFolder_ = platform::WithTrailingSeparator(*folder);
  // A choice without a path must not be looked up as the current folder.
  chosenLibrary_ = chosenFolder_.empty() ? WideString() : question_.check(chosenFolder_);
  ::EnableWindow(::GetDlgItem(dialog, IDOK), chosenLibrary_.empty() ? FALSE : TRUE);
}

}  // namespace launcher::ui::win32
