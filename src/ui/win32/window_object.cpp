#include "ui/win32/window_object.h"

namespace launcher::ui::win32 {
namespace {

// A handler that throws has not handled the message.
template <typename Result, typename Handler>
std::optional<Result> Guarded(Handler handler) noexcept {
  try {
    return handler();
  } catch (...) {
    return std::nullopt;
  }
}

// The messages whose result a dialog procedure returns itself rather than
// through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
  switch (message) {
    case WM_INITDIALOG:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
    case WM_QUERYDRAGICON:
    case WM_COMPAREITEM:
      return true;
    default:
      return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
  }
}

const wchar_t kSubclassProperty[] = L"LauncherControlObject";

}  // namespace

LRESULT CALLBACK WindowObject::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* object = static_cast<WindowObject*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    if (object != nullptr) object->handle_ = window;
  }
  auto* object = reinterpret_cast<WindowObject*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (object == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  std::optional<LRESULT> result = Guarded<LRESULT>([&] { return object->HandleMessage(message, wParam, lParam); });
  // The final message unbinds the object whether or not its handler took it.
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    object->handle_ = nullptr;
  }
  return result ? *result : ::DefWindowProcW(window, message, wParam, lParam);
}

INT_PTR DialogObject::RunModal(int templateId, HWND owner) {
  return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner, &Procedure,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK DialogObject::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* object = reinterpret_cast<DialogObject*>(lParam);
    ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    object->handle_ = dialog;
  }
  auto* object = reinterpret_cast<DialogObject*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  if (object == nullptr) return FALSE;
  std::optional<INT_PTR> result = Guarded<INT_PTR>([&] { return object->HandleMessage(message, wParam, lParam); });
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(dialog, DWLP_USER, 0);
    object->handle_ = nullptr;
  }
  if (!result) return FALSE;
  if (ReturnsResultDirectly(message)) return *result;
  ::SetWindowLongPtrW(dialog, DWLP_MSGRESULT, *result);
  return TRUE;
}

ControlSubclass::~ControlSubclass() { Detach(); }

bool ControlSubclass::Attach(HWND control) {
  if (control == nullptr || handle_ != nullptr) return false;
  if (!::SetPropW(control, kSubclassProperty, this)) return false;
  handle_ = control;
  previous_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlSubclass::Procedure)));
  if (previous_ != nullptr) return true;
  ::RemovePropW(control, kSubclassProperty);
  handle_ = nullptr;
  return false;
}

void ControlSubclass::Detach() {
  if (handle_ == nullptr) return;
  ::SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
  ::RemovePropW(handle_, kSubclassProperty);
  handle_ = nullptr;
}

LRESULT ControlSubclass::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcW(previous_, handle_, message, wParam, lParam);
}

LRESULT CALLBACK ControlSubclass::Procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* object = static_cast<ControlSubclass*>(::GetPropW(control, kSubclassProperty));
  if (object == nullptr) return ::DefWindowProcW(control, message, wParam, lParam);
  std::optional<LRESULT> result = Guarded<LRESULT>([&] { return object->HandleMessage(message, wParam, lParam); });
  const WNDPROC previous = object->previous_;
  // The final message puts the previous procedure back before it goes on.
  if (message == WM_NCDESTROY) object->Detach();
  if (result) return *result;
  return ::CallWindowProcW(previous, control, message, wParam, lParam);
}

}  // namespace launcher::ui::win32
