#include "command_support.h"
#include "commands.h"
#include "listing.h"

namespace ui_driver {
namespace {

constexpr DWORD kPollIntervalMs = 25;
constexpr UINT kAnswerTimeoutMs = 2000;

// Returns once the window's thread has handled what was sent or posted to it before.
void Synchronize(HWND window) {
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &ignored);
}

WPARAM SystemCommandOf(ShowState state) {
  switch (state) {
    case ShowState::Maximize:
      return SC_MAXIMIZE;
    case ShowState::Minimize:
      return SC_MINIMIZE;
    case ShowState::Restore:
      break;
  }
  return SC_RESTORE;
}

// Whether the command has taken effect, given whether the window was
// minimized and maximized before: restoring a minimized window brings back
// the size it had before, maximized or not.
bool HasTakenEffect(HWND window, ShowState state, bool wasIconic, bool wasZoomed) {
  switch (state) {
    case ShowState::Maximize:
      return ::IsZoomed(window) != FALSE;
    case ShowState::Minimize:
      return ::IsIconic(window) != FALSE;
    case ShowState::Restore:
      break;
  }
  if (wasIconic) return !::IsIconic(window);
  return !wasZoomed || !::IsZoomed(window);
}

bool ShowAndWait(HWND window, ShowState state, DWORD timeoutMs) {
  const bool wasIconic = ::IsIconic(window) != FALSE;
  const bool wasZoomed = ::IsZoomed(window) != FALSE;
  ::PostMessageW(window, WM_SYSCOMMAND, SystemCommandOf(state), 0);
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  while (!HasTakenEffect(window, state, wasIconic, wasZoomed)) {
    if (::GetTickCount64() >= deadline) return false;
    ::Sleep(kPollIntervalMs);
  }
  return true;
}

void PrintGeometry(const DialogWindow& dialog) {
  Synchronize(dialog.handle);
  WriteOut(DescribeDialog(dialog, ReadControls(dialog.handle), Detail::Geometry));
}

}  // namespace

int Size(const Options& options) {
  std::vector<DialogWindow> dialogs = WaitForDialogs(options.filter, options.timeoutMs);
  if (dialogs.empty()) return NoDialog(options);
  const DialogWindow& dialog = dialogs.front();
  if (!::SetWindowPos(dialog.handle, nullptr, 0, 0, *options.width, *options.height,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)) {
    return Fail(kActionFailed, L"the dialog could not be resized (error " + std::to_wstring(::GetLastError()) + L")");
  }
  PrintGeometry(dialog);
  return kDone;
}

int Show(const Options& options) {
  std::vector<DialogWindow> dialogs = WaitForDialogs(options.filter, options.timeoutMs);
  if (dialogs.empty()) return NoDialog(options);
  const DialogWindow& dialog = dialogs.front();
  const bool reached = ShowAndWait(dialog.handle, *options.showState, options.timeoutMs);
  PrintGeometry(dialog);
  if (reached) return kDone;
  return Fail(kActionFailed,
              L"the dialog had not changed its state " + std::to_wstring(options.timeoutMs) + L" ms after the command");
}

}  // namespace ui_driver
