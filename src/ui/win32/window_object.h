#pragma once

#include <optional>

#include "platform/windows_api.h"

namespace launcher::ui::win32 {

// The binding of our window, dialog and control objects to their windows. The
// object's address travels with the creation message, is kept in the window,
// and every later message reaches the object's handler; what the handler
// leaves alone gets the window's default treatment. No C++ exception leaves a
// window procedure: a handler that throws counts as not handling the message.

// A window created by CreateWindowExW with the object as lpParam and
// WindowObject::Procedure as its class's window procedure.
class WindowObject {
 public:
  virtual ~WindowObject() = default;
  WindowObject() = default;
  WindowObject(const WindowObject&) = delete;
  WindowObject& operator=(const WindowObject&) = delete;

  HWND Handle() const { return handle_; }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  // The message's result, or nothing to leave it to DefWindowProcW.
  virtual std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

 private:
  HWND handle_ = nullptr;
};

// A modal dialog of a template, run by RunModal with the object as its
// initialisation parameter.
class DialogObject {
 public:
  virtual ~DialogObject() = default;
  DialogObject() = default;
  DialogObject(const DialogObject&) = delete;
  DialogObject& operator=(const DialogObject&) = delete;

  // DialogBoxParamW with the executable's template; its result (-1 when the
  // dialog could not be made).
  INT_PTR RunModal(int templateId, HWND owner);

  HWND Handle() const { return handle_; }

 protected:
  // The message's result, or nothing to leave it to the dialog manager. The
  // result becomes the dialog's message result (DWLP_MSGRESULT), except for
  // the messages whose result a dialog procedure returns itself
  // (WM_INITDIALOG, WM_CTLCOLOR..., WM_COMPAREITEM, ...).
  virtual std::optional<INT_PTR> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

  HWND handle_ = nullptr;
};

// An existing control (of a dialog template) whose messages are routed to the
// object; its previous procedure handles the rest and is put back when the
// control receives its final message.
class ControlSubclass {
 public:
  virtual ~ControlSubclass();
  ControlSubclass() = default;
  ControlSubclass(const ControlSubclass&) = delete;
  ControlSubclass& operator=(const ControlSubclass&) = delete;

  // Routes the control's messages here; false when it cannot.
  bool Attach(HWND control);

  HWND Handle() const { return handle_; }

 protected:
  // The message's result, or nothing to pass it to the previous procedure.
  virtual std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
  void Detach();

  HWND handle_ = nullptr;
  WNDPROC previous_ = nullptr;
};

}  // namespace launcher::ui::win32
