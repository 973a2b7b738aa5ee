#include "window_text.h"

#include <algorithm>

namespace ui_driver {
namespace {

constexpr UINT kAnswerTimeoutMs = 2000;

std::optional<LRESULT> Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

}  // namespace

std::optional<std::wstring> ReadWindowText(HWND window) {
  std::optional<LRESULT> length = Ask(window, WM_GETTEXTLENGTH, 0, 0);
  if (!length) return std::nullopt;
  std::wstring text(static_cast<size_t>(*length) + 1, L'\0');
  std::optional<LRESULT> copied = Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  if (!copied) return std::nullopt;
  text.resize(std::min(static_cast<size_t>(*copied), text.size() - 1));
  return text;
}

bool WriteWindowText(HWND window, const std::wstring& text) {
  std::optional<LRESULT> accepted = Ask(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return accepted && *accepted == TRUE;
}

std::wstring ClassNameOf(HWND window) {
  // 256 characters is the longest name that RegisterClass takes.
  wchar_t className[257] = {};
  ::GetClassNameW(window, className, 257);
  return className;
}

}  // namespace ui_driver
