#include "command_support.h"
#include "commands.h"
#include "listing.h"

namespace ui_driver {
namespace {

constexpr DWORD kAbsentPollIntervalMs = 25;

std::wstring DescribeWindows(const std::vector<DialogWindow>& windows) {
  std::wstring text;
  for (const DialogWindow& window : windows) text += DescribeWindow(window.handle);
  return text;
}

int WindowsAbsent(const Options& options) {
  const ULONGLONG deadline = ::GetTickCount64() + options.timeoutMs;
  for (;;) {
    std::vector<DialogWindow> windows = FindWindowsOfClass(options.filter, *options.className);
    if (!windows.empty()) {
      WriteOut(DescribeWindows(windows));
      return Fail(kNotInTime, L"a matching window appeared");
    }
    if (::GetTickCount64() >= deadline) return kDone;
    ::Sleep(kAbsentPollIntervalMs);
  }
}

}  // namespace

int WorkArea(const Options&) {
  RECT area{};
  if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
    return Fail(kActionFailed, L"the system did not tell the work area");
  }
  WriteOut(L"work-area=" + RectText(area) + L" screen=" + std::to_wstring(::GetSystemMetrics(SM_CXSCREEN)) + L"," +
           std::to_wstring(::GetSystemMetrics(SM_CYSCREEN)) + L"\n");
  return kDone;
}

int Windows(const Options& options) {
  if (options.absent) return WindowsAbsent(options);
  std::vector<DialogWindow> windows = WaitForWindowsOfClass(options.filter, *options.className, options.timeoutMs);
  if (windows.empty()) return NoWindowOfClass(options);
  WriteOut(DescribeWindows(windows));
  return kDone;
}

}  // namespace ui_driver
