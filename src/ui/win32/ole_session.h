#pragma once

#include "ui/win32/shell_functions.h"

namespace launcher::ui::win32 {

// OLE on the calling thread for as long as the object lives: the shell's folder
// picker in its new style needs it, and so do some of the handlers that
// ShellExecuteW starts.
class OleSession {
 public:
  explicit OleSession(const ShellFunctions& shell)
      : shell_(shell), initialised_(SUCCEEDED(shell.oleInitialize(nullptr))) {}
  ~OleSession() {
    if (initialised_) shell_.oleUninitialize();
  }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

 private:
  const ShellFunctions& shell_;
  bool initialised_;
};

}  // namespace launcher::ui::win32
