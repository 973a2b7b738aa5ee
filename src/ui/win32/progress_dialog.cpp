#include "ui/win32/progress_dialog.h"

#include <commctrl.h>

#include "common/message_text.h"
#include "resource_ids.h"
#include "ui/win32/center_dialog.h"

namespace launcher::ui::win32 {
namespace {

// Posted by the worker: new progress to show, and the work's end.
constexpr UINT kProgressMessage = WM_APP + 1;
constexpr UINT kWorkEndedMessage = WM_APP + 2;

}  // namespace

ProgressDialog::ProgressDialog(WideString caption, BackgroundWork work)
    : caption_(std::move(caption)), work_(std::move(work)) {}

ProgressDialog::~ProgressDialog() {
  if (worker_.joinable()) worker_.join();
}

INT_PTR ProgressDialog::Run(HWND owner) { return RunModal(IDD_RUNTIME_INSTALL, owner); }

std::optional<INT_PTR> ProgressDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case kProgressMessage:
      ShowLatest();
      return 0;
    case kWorkEndedMessage:
      OnWorkEnded();
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDCANCEL) return std::nullopt;
      OnCancel();
      return 0;
    default:
      return std::nullopt;
  }
}

INT_PTR ProgressDialog::OnInitDialog() {
  HWND dialog = Handle();
  ::SetWindowTextW(dialog, caption_.c_str());
  ::SendDlgItemMessageW(dialog, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, 1000);
  CenterDialog(dialog);
  worker_ = std::thread([this, dialog] {
    try {
      work_(*this);
    } catch (...) {
      // The work reports its own failures; one that throws has simply ended.
    }
    ::PostMessageW(dialog, kWorkEndedMessage, 0, 0);
  });
  ::SetFocus(::GetDlgItem(dialog, IDCANCEL));
  return FALSE;
}

// On the worker: keeps the newest state and wakes the dialog once for however
// many reports arrive before it looks.
void ProgressDialog::Report(const ProgressState& state) {
  std::lock_guard<std::mutex> lock(mutex_);
  latest_ = state;
  if (!shown_) return;
  shown_ = false;
  ::PostMessageW(Handle(), kProgressMessage, 0, 0);
}

void ProgressDialog::ShowLatest() {
  ProgressState state;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    state = latest_;
    shown_ = true;
  }
  HWND dialog = Handle();
  if (!cancelled_) ::SetDlgItemTextW(dialog, IDC_PROGRESS_HEADLINE, state.headline.c_str());
  ::SetDlgItemTextW(dialog, IDC_PROGRESS_DETAIL, state.detail.c_str());
  HWND bar = ::GetDlgItem(dialog, IDC_PROGRESS_BAR);
  // A bar without a figure marches: the work goes on, how far is not known.
  const bool known = state.permille.has_value();
  if (state.step != step_) {
    step_ = state.step;
    const LONG_PTR style = ::GetWindowLongPtrW(bar, GWL_STYLE);
    ::SetWindowLongPtrW(bar, GWL_STYLE, known ? style & ~PBS_MARQUEE : style | PBS_MARQUEE);
    ::SendMessageW(bar, PBM_SETMARQUEE, known ? FALSE : TRUE, 0);
  }
  if (known) ::SendMessageW(bar, PBM_SETPOS, *state.permille, 0);
}

void ProgressDialog::OnCancel() {
  if (cancelled_.exchange(true)) return;
  HWND dialog = Handle();
  ::EnableWindow(::GetDlgItem(dialog, IDCANCEL), FALSE);
  ::SetDlgItemTextW(dialog, IDC_PROGRESS_HEADLINE, LoadStringText(StringId::kCancelling).c_str());
}

void ProgressDialog::OnWorkEnded() {
  if (worker_.joinable()) worker_.join();
  ::EndDialog(Handle(), IDOK);
}

}  // namespace launcher::ui::win32
