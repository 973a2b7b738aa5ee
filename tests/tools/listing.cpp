#include "listing.h"

#include <cwchar>

namespace ui_driver {
namespace {

std::wstring Escape(wchar_t c) {
  switch (c) {
    case L'\\':
      return L"\\\\";
    case L'"':
      return L"\\\"";
    case L'\n':
      return L"\\n";
    case L'\r':
      return L"\\r";
    case L'\t':
      return L"\\t";
    default:
      break;
  }
  if (c >= 0x20 && c != 0x7F) return std::wstring(1, c);
  wchar_t hex[8];
  std::swprintf(hex, 8, L"\\x%02X", static_cast<unsigned>(c));
  return hex;
}

std::wstring QuoteOrUnknown(const std::optional<std::wstring>& text) { return text ? Quote(*text) : L"?"; }

std::wstring DescribeControl(const Control& control) {
  return L"control id=" + std::to_wstring(control.id) + L" class=" + Quote(control.className) + L" enabled=" +
         (control.enabled ? L"1" : L"0") + L" visible=" + (control.visible ? L"1" : L"0") + L" text=" +
         QuoteOrUnknown(control.text) + L"\n";
}

void Write(DWORD stream, const std::wstring& text) {
  HANDLE handle = ::GetStdHandle(stream);
  DWORD mode = 0;
  DWORD written = 0;
  if (::GetConsoleMode(handle, &mode)) {
    ::WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  int size =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

std::wstring Quote(const std::wstring& text) {
  std::wstring quoted = L"\"";
  for (wchar_t c : text) quoted += Escape(c);
  return quoted + L"\"";
}

std::wstring DescribeDialog(const DialogWindow& dialog, const std::vector<Control>& controls) {
  std::wstring text = L"dialog pid=" + std::to_wstring(dialog.processId) + L" process=" +
                      Quote(FileNameOf(dialog.processPath)) + L" caption=" + QuoteOrUnknown(dialog.caption) + L"\n";
  for (const Control& control : controls) text += DescribeControl(control);
  return text;
}

std::wstring DescribeDialogs(const std::vector<DialogWindow>& dialogs) {
  std::wstring text;
  for (const DialogWindow& dialog : dialogs) text += DescribeDialog(dialog, ReadControls(dialog.handle));
  return text;
}

void WriteOut(const std::wstring& text) { Write(STD_OUTPUT_HANDLE, text); }

void WriteError(const std::wstring& text) { Write(STD_ERROR_HANDLE, text); }

}  // namespace ui_driver
