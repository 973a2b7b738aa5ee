#pragma once

#include "platform/windows_api.h"

#include <ole2.h>

namespace ui::win32 {

// OLE on the calling thread for as long as the object lives: the shell's folder
// picker in its new style needs it, and so do some of the handlers that
// ShellExecuteW starts.
class OleSession {
 public:
  OleSession() : initialised_(SUCCEEDED(::OleInitialize(nullptr))) {}
  ~OleSession() {
    if (initialised_) ::OleUninitialize();
  }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

 private:
  bool initialised_;
};

}  // namespace ui::win32
