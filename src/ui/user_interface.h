#pragma once

#include <functional>

#include "platform/wide_string.h"

using WindowHandle = void*;

// The answer of the "JRE Not Found" question.
struct RuntimeAnswer {
  enum class Kind {
    Chosen,     // the user chose a folder that holds a JVM library
    Cancelled,  // the user declined
    NotShown,   // the question could not be asked
  };
  Kind kind = Kind::Cancelled;
  WideString folder;      // with Chosen: the folder, ending in a path separator
  WideString jvmLibrary;  // with Chosen: the JVM library found in it
};

// Says which JVM library a folder (ending in a path separator) holds; "" for none.
using FolderCheck = std::function<WideString(const WideString& folder)>;

// The answer to the "Java Exception" question.
enum class ExceptionAnswer { Ignore, Stop, NotShown };

// Everything the launcher shows to the user: through message boxes and dialogs,
// or on the terminal; tests record.
class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // A modal error message with the error icon, owned by owner (may be null).
  virtual void ShowError(WindowHandle owner, const WideString& text) = 0;

  // The "JRE Not Found" question with its message; a folder the user offers is
  // accepted when check finds a JVM library in it.
  virtual RuntimeAnswer AskForRuntime(WindowHandle owner, const WideString& message, const FolderCheck& check) = 0;

  // The "Java Exception" question with an exception's stack trace.
  virtual ExceptionAnswer ShowException(const WideString& trace) = 0;

  // A failed run is about to take its console window with it: the user gets
  // to read what it said first. Windows and dialogs stay until closed anyway.
  virtual void HoldBeforeClosing() {}
};

// The system's own: dialogs on Windows, the terminal on POSIX.
UserInterface& SystemUserInterface();

// The console's: text on standard error, questions on standard input.
UserInterface& ConsoleUserInterface();
