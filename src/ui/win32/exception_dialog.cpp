#include "ui/win32/exception_dialog.h"

#include <array>

#include "resource_ids.h"
#include "ui/win32/center_dialog.h"

namespace launcher::ui::win32 {
namespace {

using namespace resize;

// How the controls follow the dialog's size; the icon keeps its place.
constexpr std::array<resize::Rule, 7> kResizeMap{{
    {IDC_EXCEPTION_GROUP, resize::kSizeX | resize::kSizeY},
    {IDC_EXCEPTION_HEADING, kSizeX},
    {IDC_EXCEPTION_WARNING, resize::kSizeX | resize::kMoveY},
    {IDC_EXCEPTION_CHOICE, resize::kSizeX | resize::kMoveY},
    {IDC_EXCEPTION_TEXT, resize::kSizeX | resize::kSizeY},
    {IDOK, resize::kMoveX | resize::kMoveY},
    {IDCANCEL, resize::kMoveX | resize::kMoveY},
}};

}  // namespace

INT_PTR ExceptionDialog::Run(HWND owner) { return RunModal(IDD_JAVA_EXCEPTION, owner); }

std::optional<INT_PTR> ExceptionDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return std::nullopt;
      ::EndDialog(Handle(), LOWORD(wParam));
      return 0;
    default:
      return resizer_.HandleMessage(message, wParam, lParam);
  }
}

INT_PTR ExceptionDialog::OnInitDialog() {
  HWND dialog = Handle();
  ::SetDlgItemTextW(dialog, IDC_EXCEPTION_TEXT, trace_.c_str());
  ::SendDlgItemMessageW(dialog, IDC_EXCEPTION_TEXT, EM_SETREADONLY, TRUE, 0);
  ::SendDlgItemMessageW(dialog, IDC_ERROR_ICON, STM_SETICON, reinterpret_cast<WPARAM>(::LoadIconW(nullptr, IDI_HAND)),
                        0);
  CenterDialog(dialog);
  resizer_.Init(dialog, kResizeMap);
  // The first tab stop gets the focus.
  return TRUE;
}

}  // namespace launcher::ui::win32
