#include "fixture_dialog.h"

#include <commctrl.h>

#include <array>
#include <string>

#include "dialog_template.h"
#include "fixture_output.h"
#include "gdi_handles.h"

namespace window_fixture {
namespace {

constexpr WORD kColourId = 205;
constexpr WORD kEditId = 101;
constexpr WORD kReportId = 103;
constexpr short kWidth = 220;
constexpr short kHeight = 110;

// Tab order: the edit first, so that the focus starts there and RETURN goes to the default button.
const std::array<TemplateItem, 6> kItems = {{
    {SS_NOTIFY, 10, 10, 60, 24, kColourId, kStaticAtom, L""},
    {ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 80, 10, 130, 14, kEditId, kEditAtom, L""},
    {BS_PUSHBUTTON | WS_TABSTOP, 80, 30, 60, 14, 102, kButtonAtom, L"Other"},
    {BS_PUSHBUTTON | WS_TABSTOP, 150, 30, 60, 14, kReportId, kButtonAtom, L"Report"},
    {BS_DEFPUSHBUTTON | WS_TABSTOP, 100, 88, 50, 14, IDOK, kButtonAtom, L"OK"},
    {BS_PUSHBUTTON | WS_TABSTOP, 160, 88, 50, 14, IDCANCEL, kButtonAtom, L"Cancel"},
}};

constexpr DWORD kDialogStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_CENTER;

class FixtureDialog {
 public:
  explicit FixtureDialog(COLORREF colour) : brush_(::CreateSolidBrush(colour)), colour_(colour) {}

  INT_PTR Run() {
    DialogTemplate dialog(kDialogStyle, kWidth, kHeight, L"Fixture Dialog");
    for (const TemplateItem& item : kItems) dialog.Add(item);
    return ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), dialog.Get(), nullptr, Procedure,
                                     reinterpret_cast<LPARAM>(this));
  }

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* self = reinterpret_cast<FixtureDialog*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    return self ? self->Handle(dialog, message, wParam, lParam) : FALSE;
  }

  INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_INITDIALOG:
        ::SetWindowSubclass(::GetDlgItem(dialog, kColourId), ReportInput, kColourId, 0);
        ::SetWindowSubclass(::GetDlgItem(dialog, kEditId), ReportInput, kEditId, 0);
        Say(L"dialog hwnd=" + HandleText(dialog));
        return TRUE;
      case WM_CTLCOLORSTATIC:
        if (::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) != kColourId) return FALSE;
        ::SetBkColor(reinterpret_cast<HDC>(wParam), colour_);
        return reinterpret_cast<INT_PTR>(brush_.Get());
      case WM_SIZE:
        Say(L"size type=" + std::to_wstring(wParam) + L" client=" + PairText(LOWORD(lParam), HIWORD(lParam)));
        return FALSE;
      case WM_COMMAND:
        return Command(dialog, LOWORD(wParam), HIWORD(wParam));
      default:
        return FALSE;
    }
  }

  INT_PTR Command(HWND dialog, WORD id, WORD code) {
    Say(L"command id=" + std::to_wstring(id) + L" code=" + std::to_wstring(code));
    if (id == kReportId) Report(dialog);
    if (id == IDOK || id == IDCANCEL) ::EndDialog(dialog, id);
    return TRUE;
  }

  // What the dialog knows of itself, with the controls' places as the
  // template gives them: what another process should read back.
  static void Report(HWND dialog) {
    RECT window{};
    ::GetWindowRect(dialog, &window);
    RECT client{};
    ::GetClientRect(dialog, &client);
    RECT templateClient{0, 0, kWidth, kHeight};
    ::MapDialogRect(dialog, &templateClient);
    Say(L"report rect=" + RectText(window) + L" client=" + PairText(client.right, client.bottom) +
        L" template-client=" + PairText(templateClient.right, templateClient.bottom) + L" style=" +
        Hex(static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_STYLE))) + L" exstyle=" +
        Hex(static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_EXSTYLE))));
    for (const TemplateItem& item : kItems) {
      RECT rect{item.x, item.y, item.x + item.cx, item.y + item.cy};
      ::MapDialogRect(dialog, &rect);
      HWND control = ::GetDlgItem(dialog, item.id);
      Say(L"report-control id=" + std::to_wstring(item.id) + L" rect=" + RectText(rect) + L" style=" +
          Hex(static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_STYLE))) + L" exstyle=" +
          Hex(static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_EXSTYLE))));
    }
  }

  static LRESULT CALLBACK ReportInput(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR) {
    const std::wstring where = L" id=" + std::to_wstring(id);
    const std::wstring point = L" x=" + std::to_wstring(static_cast<short>(LOWORD(lParam))) + L" y=" +
                               std::to_wstring(static_cast<short>(HIWORD(lParam))) + L" keys=" +
                               std::to_wstring(wParam);
    switch (message) {
      case WM_MOUSEMOVE:
        Say(L"mouse move" + where + point);
        break;
      case WM_LBUTTONDOWN:
        Say(L"mouse down" + where + point);
        break;
      case WM_LBUTTONUP:
        Say(L"mouse up" + where + point);
        break;
      case WM_CHAR:
        Say(L"char" + where + L" code=" + Hex(static_cast<DWORD>(wParam)));
        break;
      case WM_NCDESTROY:
        ::RemoveWindowSubclass(control, ReportInput, id);
        break;
      default:
        break;
    }
    return ::DefSubclassProc(control, message, wParam, lParam);
  }

  ui_driver::GdiObject brush_;
  COLORREF colour_;
};

}  // namespace

int RunDialog(COLORREF staticColour) {
  FixtureDialog dialog(staticColour);
  INT_PTR result = dialog.Run();
  Say(L"ended result=" + std::to_wstring(result));
  return result == -1 ? 1 : 0;
}

}  // namespace window_fixture
