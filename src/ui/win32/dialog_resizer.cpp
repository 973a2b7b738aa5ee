#include "ui/win32/dialog_resizer.h"

namespace launcher::ui::win32 {
namespace {

constexpr int kGripId = 0xE801;
constexpr DWORD kGripStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBS_SIZEBOX | SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN;

LayoutRect RectInClient(HWND dialog, HWND control) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

LayoutSize ClientSize(HWND dialog) {
  RECT client{};
  ::GetClientRect(dialog, &client);
  return {client.right, client.bottom};
}

// The grip aligns itself to the bottom-right corner of the rectangle it is given.
void MakeGrip(HWND dialog) {
  if (::GetDlgItem(dialog, kGripId) != nullptr) return;
  RECT client{};
  ::GetClientRect(dialog, &client);
  ::CreateWindowExW(0, L"SCROLLBAR", nullptr, kGripStyle, 0, 0, client.right, client.bottom, dialog,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kGripId)), ::GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

void DialogResizer::Init(HWND dialog, std::span<const resize::Rule> map) {
  dialog_ = dialog;
  const LONG_PTR style = ::GetWindowLongPtrW(dialog, GWL_STYLE);
  if ((style & WS_CLIPCHILDREN) == 0) ::SetWindowLongPtrW(dialog, GWL_STYLE, style | WS_CLIPCHILDREN);
  ::SetWindowLongPtrW(dialog, GWL_EXSTYLE, ::GetWindowLongPtrW(dialog, GWL_EXSTYLE) | WS_EX_DLGMODALFRAME);
  // A modal frame would otherwise show the class icon in the caption.
  if (::SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0) == 0) ::SendMessageW(dialog, WM_SETICON, ICON_SMALL, 0);
  entries_.clear();
  minimumTrack_ = {-1, -1};
  initialClient_ = ClientSize(dialog);
  MakeGrip(dialog);
  grip_ = ::GetDlgItem(dialog, kGripId) != nullptr;
  if (grip_) AddEntry(kGripId, resize::kMoveX | resize::kMoveY | resize::kRepaint | resize::kGrip);
  RECT window{};
  ::GetWindowRect(dialog, &window);
  minimumTrack_ = {window.right - window.left, window.bottom - window.top};
  for (const resize::Rule& rule : map) AddEntry(rule.id, rule.flags);
}

void DialogResizer::AddEntry(int32_t id, uint32_t flags) {
  HWND control = ::GetDlgItem(dialog_, id);
  entries_.push_back({id, flags, control != nullptr ? RectInClient(dialog_, control) : LayoutRect{}});
}

std::optional<INT_PTR> DialogResizer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      OnSize(wParam, {static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))});
      return 0;
    case WM_GETMINMAXINFO:
      if (minimumTrack_.x != -1 && minimumTrack_.y != -1) {
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = minimumTrack_;
      }
      return 0;
    default:
      return std::nullopt;
  }
}

void DialogResizer::OnSize(WPARAM type, LayoutSize client) {
  // WM_SIZE comes before Init too (the dialog gets its size while it is made).
  if (dialog_ == nullptr) return;
  if (grip_) {
    HWND grip = ::GetDlgItem(dialog_, kGripId);
    if (type == SIZE_MAXIMIZED) ::ShowWindow(grip, SW_HIDE);
    if (type == SIZE_RESTORED) ::ShowWindow(grip, SW_SHOW);
  }
  if (type == SIZE_MINIMIZED) return;
  UpdateLayout(client);
}

void DialogResizer::UpdateLayout(LayoutSize client) {
  const bool visible = ::IsWindowVisible(dialog_) != FALSE;
  if (visible) ::SendMessageW(dialog_, WM_SETREDRAW, FALSE, 0);
  for (const Entry& entry : entries_) Place(entry, client);
  if (visible) ::SendMessageW(dialog_, WM_SETREDRAW, TRUE, 0);
  ::RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void DialogResizer::Place(const Entry& entry, LayoutSize client) {
  HWND control = ::GetDlgItem(dialog_, entry.id);
  if (control == nullptr) return;
  const LayoutRect rect = PlaceControl(entry.flags, entry.rect, RectInClient(dialog_, control), initialClient_, client);
  if ((entry.flags & resize::kRepaint) != 0) ::InvalidateRect(control, nullptr, TRUE);
  if (resize::Places(entry.flags)) {
    ::SetWindowPos(control, nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace launcher::ui::win32
