#include "listing.h"

#include <cwchar>

#include "window_geometry.h"
#include "window_text.h"

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

std::wstring SizeText(const SIZE& size) { return std::to_wstring(size.cx) + L"," + std::to_wstring(size.cy); }

std::wstring DialogGeometry(HWND dialog) {
  WindowGeometry geometry = ReadGeometry(dialog);
  return L" hwnd=" + HandleText(dialog) + L" rect=" + RectText(geometry.screenRect) + L" client=" +
         SizeText(geometry.clientSize) + L" style=" + HexText(geometry.style) + L" exstyle=" +
         HexText(geometry.exStyle) + L" owner=" + HandleText(geometry.owner) + L" owner-class=" +
         Quote(geometry.owner ? ClassNameOf(geometry.owner) : L"");
}

std::wstring ControlGeometry(HWND dialog, HWND control) {
  WindowGeometry geometry = ReadGeometry(control);
  return L" rect=" + RectText(RectInClientOf(control, dialog)) + L" style=" + HexText(geometry.style) + L" exstyle=" +
         HexText(geometry.exStyle);
}

std::wstring DescribeControl(HWND dialog, const Control& control, Detail detail) {
  return L"control id=" + std::to_wstring(control.id) + L" class=" + Quote(control.className) + L" enabled=" +
         (control.enabled ? L"1" : L"0") + L" visible=" + (control.visible ? L"1" : L"0") +
         (detail == Detail::Geometry ? ControlGeometry(dialog, control.handle) : L"") + L" text=" +
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

std::wstring DescribeDialog(const DialogWindow& dialog, const std::vector<Control>& controls, Detail detail) {
  std::wstring text = L"dialog pid=" + std::to_wstring(dialog.processId) + L" process=" +
                      Quote(FileNameOf(dialog.processPath)) +
                      (detail == Detail::Geometry ? DialogGeometry(dialog.handle) : L"") + L" caption=" +
                      QuoteOrUnknown(dialog.caption) + L"\n";
  for (const Control& control : controls) text += DescribeControl(dialog.handle, control, detail);
  return text;
}

std::wstring DescribeDialogs(const std::vector<DialogWindow>& dialogs, Detail detail) {
  std::wstring text;
  for (const DialogWindow& dialog : dialogs) text += DescribeDialog(dialog, ReadControls(dialog.handle), detail);
  return text;
}

std::wstring DescribeWindow(HWND window) {
  WindowGeometry geometry = ReadGeometry(window);
  DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
  return L"window hwnd=" + HandleText(window) + L" class=" + Quote(ClassNameOf(window)) + L" rect=" +
         RectText(geometry.screenRect) + L" style=" + HexText(geometry.style) + L" exstyle=" +
         HexText(geometry.exStyle) + L" class-style=" + HexText(geometry.classStyle) + L" visible=" +
         (::IsWindowVisible(window) ? L"1" : L"0") + L" thread=" + std::to_wstring(thread) + L"\n";
}

std::wstring HexText(DWORD value) {
  wchar_t text[16];
  std::swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(value));
  return text;
}

std::wstring HandleText(HWND window) {
  if (!window) return L"0";
  // Handles are 32-bit values even in 64-bit processes, so that 32-bit ones can share them.
  return HexText(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window)));
}

std::wstring RectText(const RECT& rect) {
  return std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"," + std::to_wstring(rect.right) + L"," +
         std::to_wstring(rect.bottom);
}

void WriteOut(const std::wstring& text) { Write(STD_OUTPUT_HANDLE, text); }

void WriteError(const std::wstring& text) { Write(STD_ERROR_HANDLE, text); }

}  // namespace ui_driver
