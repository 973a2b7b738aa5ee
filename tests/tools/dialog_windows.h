#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "driver_options.h"
#include "platform/windows_api.h"

namespace ui_driver {

// A top-level window that a command works on: usually a visible window of the
// dialog class "#32770" (a message box or a dialog made from a template), or
// one of a class that the command names.
struct DialogWindow {
  HWND handle = nullptr;
  DWORD processId = 0;
  std::wstring processPath;             // empty when the process could not be asked
  std::optional<std::wstring> caption;  // nothing when the window did not answer
};

// What the search finds as soon as it finds something; empty after the time.
std::vector<DialogWindow> WaitFor(const std::function<std::vector<DialogWindow>()>& find, DWORD timeoutMs);

// The matching dialogs that are up now, topmost first.
std::vector<DialogWindow> FindDialogs(const DialogFilter& filter);

// The matching dialogs as soon as there is at least one; empty after the time.
std::vector<DialogWindow> WaitForDialogs(const DialogFilter& filter, DWORD timeoutMs);

// The matching top-level windows whose class is exactly the name, visible or
// not, topmost first.
std::vector<DialogWindow> FindWindowsOfClass(const DialogFilter& filter, const std::wstring& className);

// The matching windows of the class as soon as there is at least one; empty after the time.
std::vector<DialogWindow> WaitForWindowsOfClass(const DialogFilter& filter, const std::wstring& className,
                                                DWORD timeoutMs);

// Whether the window has been destroyed or hidden, waiting up to the time.
bool WaitUntilGone(HWND dialog, DWORD timeoutMs);

// The last part of a Windows path.
std::wstring FileNameOf(const std::wstring& path);

}  // namespace ui_driver
