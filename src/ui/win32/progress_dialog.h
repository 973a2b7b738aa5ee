#pragma once

#include <atomic>
#include <mutex>
#include <thread>

#include "platform/wide_string.h"
#include "ui/user_interface.h"
#include "ui/win32/window_object.h"

namespace launcher::ui::win32 {

// The progress dialog (template 241): runs the work on a thread of its own
// while it shows what the work reports (a headline, a bar, the figures) and
// stays responsive. Cancel (also Escape and the close box) asks the work to
// stop; the dialog closes only once the work has ended, whatever ended it.
class ProgressDialog final : public DialogObject, private ProgressSink {
 public:
  ProgressDialog(WideString caption, BackgroundWork work);
  ~ProgressDialog() override;

  // The dialog's result: IDOK once the work has ended; -1 when the dialog
  // could not be made (the work has then not run).
  INT_PTR Run(HWND owner);

 protected:
  std::optional<INT_PTR> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Report(const ProgressState& state) override;
  bool CancelRequested() override { return cancelled_; }

  INT_PTR OnInitDialog();
  void ShowLatest();
  void OnCancel();
  void OnWorkEnded();

  WideString caption_;
  BackgroundWork work_;
  std::thread worker_;
  std::atomic<bool> cancelled_{false};
  std::mutex mutex_;  // guards latest_ and shown_
  ProgressState latest_;
  bool shown_ = true;  // latest_ is on the screen (no message on its way)
  uint32_t step_ = UINT32_MAX;
};

}  // namespace launcher::ui::win32
