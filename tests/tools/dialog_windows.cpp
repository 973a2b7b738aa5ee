#include "dialog_windows.h"

#include "process_handle.h"
#include "window_text.h"

namespace ui_driver {
namespace {

constexpr DWORD kPollIntervalMs = 25;

std::wstring ProcessImagePath(DWORD processId) {
  ProcessHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return L"";
  // The image path may be longer than MAX_PATH: the buffer grows until it fits.
  for (DWORD capacity = MAX_PATH; capacity <= 32768; capacity *= 2) {
    std::wstring path(capacity, L'\0');
    DWORD length = capacity;
    if (::QueryFullProcessImageNameW(process.Get(), 0, path.data(), &length)) {
      path.resize(length);
      return path;
    }
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) return L"";
  }
  return L"";
}

bool IsVisibleDialog(HWND window) { return ClassNameOf(window) == L"#32770" && ::IsWindowVisible(window); }

bool SameText(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

bool ProcessMatches(const std::wstring& wanted, const std::wstring& imagePath) {
  if (wanted.find(L'\\') != std::wstring::npos) return SameText(wanted, imagePath);
  return SameText(wanted, FileNameOf(imagePath));
}

bool ProcessFilterMatches(const DialogFilter& filter, const DialogWindow& dialog) {
  if (filter.processId && *filter.processId != dialog.processId) return false;
  return !filter.process || ProcessMatches(*filter.process, dialog.processPath);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// The top-level windows that the test accepts and the filter matches, topmost first.
std::vector<DialogWindow> FindTopLevel(const DialogFilter& filter, const std::function<bool(HWND)>& accept) {
  std::vector<HWND> windows;
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  std::vector<DialogWindow> found;
  for (HWND window : windows) {
    if (!accept(window)) continue;
    DialogWindow candidate{window, 0, L"", std::nullopt};
    ::GetWindowThreadProcessId(window, &candidate.processId);
    candidate.processPath = ProcessImagePath(candidate.processId);
    // The caption is asked for only when needed: a window of another process may not answer.
    if (!ProcessFilterMatches(filter, candidate)) continue;
    candidate.caption = ReadWindowText(window);
    if (!filter.caption || candidate.caption == filter.caption) found.push_back(candidate);
  }
  return found;
}

}  // namespace

std::wstring FileNameOf(const std::wstring& path) {
  size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

std::vector<DialogWindow> WaitFor(const std::function<std::vector<DialogWindow>()>& find, DWORD timeoutMs) {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  for (;;) {
    std::vector<DialogWindow> found = find();
    if (!found.empty() || ::GetTickCount64() >= deadline) return found;
    ::Sleep(kPollIntervalMs);
  }
}

std::vector<DialogWindow> FindDialogs(const DialogFilter& filter) { return FindTopLevel(filter, IsVisibleDialog); }

std::vector<DialogWindow> WaitForDialogs(const DialogFilter& filter, DWORD timeoutMs) {
  return WaitFor([&] { return FindDialogs(filter); }, timeoutMs);
}

std::vector<DialogWindow> FindWindowsOfClass(const DialogFilter& filter, const std::wstring& className) {
  return FindTopLevel(filter, [&](HWND window) { return ClassNameOf(window) == className; });
}

std::vector<DialogWindow> WaitForWindowsOfClass(const DialogFilter& filter, const std::wstring& className,
                                                DWORD timeoutMs) {
  return WaitFor([&] { return FindWindowsOfClass(filter, className); }, timeoutMs);
}

bool WaitUntilGone(HWND dialog, DWORD timeoutMs) {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  for (;;) {
    if (!::IsWindow(dialog) || !::IsWindowVisible(dialog)) return true;
    if (::GetTickCount64() >= deadline) return false;
    ::Sleep(kPollIntervalMs);
  }
}

}  // namespace ui_driver
