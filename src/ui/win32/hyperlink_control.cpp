#include "ui/win32/hyperlink_control.h"

#include "ui/win32/gdi_selection.h"
#include "ui/win32/shell_functions.h"
#include "ui/win32/window_dc.h"

namespace launcher::ui::win32 {
namespace {

constexpr int kToolId = 1;

bool IsStaticClass(HWND control) {
  wchar_t name[8] = {};
  ::GetClassNameW(control, name, 8);
  return ::lstrcmpiW(name, L"static") == 0;
}

// Statics that show a picture or a frame rather than text.
bool ShowsNoText(LONG_PTR style) {
  const auto type = static_cast<unsigned>(style & 0xFF);
  return (type >= 3 && type <= 9) || (type >= 13 && type <= 15);
}

// Characters come here; so does Enter, which the dialog manager would
// otherwise take for the default button before it became a character.
LRESULT DialogCode(const MSG* message) {
  const bool enter = message != nullptr && message->message == WM_KEYDOWN && message->wParam == VK_RETURN;
  return DLGC_WANTCHARS | (enter ? DLGC_WANTMESSAGE : 0);
}

POINT PointOf(LPARAM lParam) { return {static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))}; }

}  // namespace

bool HyperlinkControl::Attach(HWND control) {
  if (normalFont_ == nullptr) normalFont_ = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
  if (!ControlSubclass::Attach(control)) return false;
  Init();
  return true;
}

void HyperlinkControl::Init() {
  HWND control = Handle();
  if (IsStaticClass(control)) {
    const LONG_PTR style = ::GetWindowLongPtrW(control, GWL_STYLE);
    // Without it a static lets the mouse through to the dialog.
    if ((style & SS_NOTIFY) == 0) ::SetWindowLongPtrW(control, GWL_STYLE, style | SS_NOTIFY);
    if (ShowsNoText(style)) paintLabel_ = false;
  }
  linkCursor_ = ::LoadCursorW(nullptr, IDC_HAND);
  if (paintLabel_) {
    if (normalFont_ == nullptr) {
      LOGFONTW font{};
      ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0);
      ownedNormalFont_.Reset(::CreateFontIndirectW(&font));
      normalFont_ = ownedNormalFont_.Get();
    }
    if (!linkFont_) MakeLinkFont();
  }
  tooltip_.Reset(::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, control, nullptr, ::GetModuleHandleW(nullptr), nullptr));
  const int length = ::GetWindowTextLengthW(control);
  if (!label_ && length > 0) {
    WideString text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(control, text.data(), length + 1)));
    label_ = text;
  }
  CalcLinkRect();
  if (target_) {
    AddTool();
  } else if (label_) {
    SetTarget(*label_);
  }
  if (paintLabel_) colours_ = ReadLinkColours();
}

void HyperlinkControl::MakeLinkFont() {
  HFONT base = normalFont_ != nullptr ? normalFont_ : static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
  LOGFONTW font{};
  ::GetObjectW(base, sizeof font, &font);
  font.lfUnderline = TRUE;
  linkFont_.Reset(::CreateFontIndirectW(&font));
}

void HyperlinkControl::AddTool() {
  if (!tooltip_ || !target_) return;
  ::SendMessageW(tooltip_.Get(), TTM_ACTIVATE, TRUE, 0);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = Handle();
  tool.uId = kToolId;
  tool.rect = linkRect_;
  tool.hinst = ::GetModuleHandleW(nullptr);
  tool.lpszText = target_->data();
  ::SendMessageW(tooltip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void HyperlinkControl::SetTarget(const WideString& target) {
  target_ = target;
  if (!label_) CalcLinkRect();
  AddTool();
}

const WideString* HyperlinkControl::ShownText() const {
  if (label_) return &*label_;
  return target_ ? &*target_ : nullptr;
}

UINT HyperlinkControl::TextFormat() const {
  const LONG_PTR type = ::GetWindowLongPtrW(Handle(), GWL_STYLE) & SS_TYPEMASK;
  return (type == SS_CENTER ? DT_CENTER : type == SS_RIGHT ? DT_RIGHT : DT_LEFT) | DT_WORDBREAK;
}

// The clickable area: the text's bounding box, wrapped at the control's width
// and aligned as the control aligns its text.
bool HyperlinkControl::CalcLinkRect() {
  HWND control = Handle();
  const WideString* text = ShownText();
  if (!::IsWindow(control) || text == nullptr) return false;
  RECT client{};
  ::GetClientRect(control, &client);
  linkRect_ = client;
  if (paintLabel_) {
    const WindowDc dc(control);
    {
      const GdiSelection font(dc.Get(), linkFont_.Get());
      ::DrawTextW(dc.Get(), text->c_str(), static_cast<int>(text->size()), &linkRect_, TextFormat() | DT_CALCRECT);
    }
    const LONG_PTR type = ::GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK;
    if (type == SS_CENTER) ::OffsetRect(&linkRect_, (client.right - linkRect_.right) / 2, 0);
    if (type == SS_RIGHT) ::OffsetRect(&linkRect_, client.right - linkRect_.right, 0);
  }
  return true;
}

bool HyperlinkControl::OverLink(POINT point) const { return target_ && ::PtInRect(&linkRect_, point); }

bool HyperlinkControl::Navigate() {
  const ShellFunctions* shell = LoadShellFunctions();
  if (!target_ || shell == nullptr) return false;
  const auto result = reinterpret_cast<INT_PTR>(
      shell->shellExecute(nullptr, L"open", target_->c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) return false;
  visited_ = true;
  ::InvalidateRect(Handle(), nullptr, TRUE);
  return true;
}

void HyperlinkControl::Paint(HDC dc) {
  HWND control = Handle();
  RECT client{};
  ::GetClientRect(control, &client);
  const auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(
      ::GetParent(control), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  if (brush != nullptr) ::FillRect(dc, &client, brush);
  ::SetBkMode(dc, TRANSPARENT);
  const COLORREF colour = !::IsWindowEnabled(control) ? ::GetSysColor(COLOR_GRAYTEXT)
                          : visited_                  ? colours_.visited
                                                      : colours_.link;
  const COLORREF previousColour = ::SetTextColor(dc, colour);
  {
    const GdiSelection font(dc, linkFont_ ? linkFont_.Get() : normalFont_);
    if (const WideString* text = ShownText()) {
      RECT area = linkRect_;
      ::DrawTextW(dc, text->c_str(), static_cast<int>(text->size()), &area, TextFormat());
    }
  }
  if (::GetFocus() == control) ::DrawFocusRect(dc, &linkRect_);
  ::SetTextColor(dc, previousColour);
}

void HyperlinkControl::PaintMessage(WPARAM wParam) {
  if (wParam != 0) {
    Paint(reinterpret_cast<HDC>(wParam));
    return;
  }
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(Handle(), &paint);
  Paint(dc);
  ::EndPaint(Handle(), &paint);
}

std::optional<LRESULT> HyperlinkControl::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND control = Handle();
  if (tooltip_) {
    MSG relayed{control, message, wParam, lParam, 0, {0, 0}};
    ::SendMessageW(tooltip_.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
  }
  const POINT point = PointOf(lParam);
  switch (message) {
    case WM_MOUSEMOVE:
      if (!OverLink(point)) return std::nullopt;
      ::SetCursor(linkCursor_);
      return 0;
    case WM_LBUTTONDOWN:
      if (::PtInRect(&linkRect_, point)) {
        ::SetFocus(control);
        ::SetCapture(control);
      }
      return 0;
    case WM_LBUTTONUP:
      if (::GetCapture() == control) ::ReleaseCapture();
      if (::PtInRect(&linkRect_, point)) Navigate();
      return 0;
    default:
      return std::nullopt;
  }
}

void HyperlinkControl::OnSetFont(HFONT font, bool redraw) {
  ownedNormalFont_.Reset();
  normalFont_ = font;
  if (linkFont_) MakeLinkFont();
  CalcLinkRect();
  if (redraw) {
    ::InvalidateRect(Handle(), nullptr, TRUE);
    ::UpdateWindow(Handle());
  }
}

void HyperlinkControl::OnDestroy() {
  tooltip_.Reset();
  linkFont_.Reset();
  if (ownedNormalFont_) normalFont_ = nullptr;
  ownedNormalFont_.Reset();
}

std::optional<LRESULT> HyperlinkControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) return OnMouse(message, wParam, lParam);
  switch (message) {
    case WM_SETCURSOR: {
      POINT cursor{};
      ::GetCursorPos(&cursor);
      ::ScreenToClient(Handle(), &cursor);
      if (!OverLink(cursor)) return std::nullopt;
      return TRUE;
    }
    case WM_CHAR:
      if (wParam == L'\r' || wParam == L' ') Navigate();
      return 0;
    case WM_GETDLGCODE:
      return DialogCode(reinterpret_cast<const MSG*>(lParam));
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (!paintLabel_) return std::nullopt;
      ::InvalidateRect(Handle(), nullptr, TRUE);
      return 0;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      if (!paintLabel_) return std::nullopt;
      PaintMessage(wParam);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      CalcLinkRect();
      ::InvalidateRect(Handle(), nullptr, TRUE);
      return 0;
    case WM_ENABLE:
      ::InvalidateRect(Handle(), nullptr, TRUE);
      ::UpdateWindow(Handle());
      return 0;
    case WM_SETFONT:
      OnSetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(normalFont_);
    case WM_UPDATEUISTATE:
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace launcher::ui::win32
