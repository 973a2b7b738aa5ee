#include "dialog_windows.h"

#include "platform/unique_handle.h"
#include "window_text.h"

namespace ui_driver {
namespace {

constexpr DWORD kPollIntervalMs = 25;

struct ProcessHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type handle) { ::CloseHandle(handle); }
};

using ProcessHandle = UniqueHandle<ProcessHandleTraits>;

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

bool IsVisibleDialog(HWND window) {
  wchar_t className[16] = {};
  ::GetClassNameW(window, className, 16);
  return std::wstring(className) == L"#32770" && ::IsWindowVisible(window);
}

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

}  // namespace

std::wstring FileNameOf(const std::wstring& path) {
  size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

std::vector<DialogWindow> FindDialogs(const DialogFilter& filter) {
  std::vector<HWND> windows;
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  std::vector<DialogWindow> dialogs;
  for (HWND window : windows) {
    if (!IsVisibleDialog(window)) continue;
    DialogWindow dialog{window, 0, L"", std::nullopt};
    ::GetWindowThreadProcessId(window, &dialog.processId);
    dialog.processPath = ProcessImagePath(dialog.processId);
    // The caption is asked for only when needed: a window of another process may not answer.
    if (!ProcessFilterMatches(filter, dialog)) continue;
    dialog.caption = ReadWindowText(window);
    if (!filter.caption || dialog.caption == filter.caption) dialogs.push_back(dialog);
  }
  return dialogs;
}

std::vector<DialogWindow> WaitForDialogs(const DialogFilter& filter, DWORD timeoutMs) {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  for (;;) {
    std::vector<DialogWindow> dialogs = FindDialogs(filter);
    if (!dialogs.empty() || ::GetTickCount64() >= deadline) return dialogs;
    ::Sleep(kPollIntervalMs);
  }
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
