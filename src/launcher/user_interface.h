#pragma once

#include "discovery/jvm_type_mode.h"
#include "platform/wide_string.h"

using WindowHandle = void*;

// Dialog results as the system's dialog functions give them.
inline constexpr int kDialogOk = 1;
inline constexpr int kDialogCancel = 2;
inline constexpr int kDialogNotShown = -1;

// The answer of the "JRE Not Found" dialog: with kDialogOk, the folder the user
// chose (ending in a path separator) and the JVM library found in it.
struct RuntimeChoice {
  int result = kDialogCancel;
  WideString folder;
  WideString jvmLibraryPath;
};

// Everything the launcher shows to the user. The system's implementation uses
// message boxes and dialogs on Windows and standard error on POSIX; tests record.
class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // A modal error message with the error icon, owned by owner (may be null).
  virtual void ShowError(WindowHandle owner, const WideString& text) = 0;

  // The "JRE Not Found" dialog with its message; the folder browser searches a
  // chosen folder for a JVM library in the given mode.
  virtual RuntimeChoice AskForRuntime(WindowHandle owner, const WideString& message, JvmTypeMode mode) = 0;

  // The "Java Exception" dialog with an exception's stack trace: kDialogOk for
  // Ignore, kDialogCancel for Stop, kDialogNotShown when it could not be shown.
  virtual int ShowException(const WideString& description) = 0;
};

UserInterface& SystemUserInterface();
