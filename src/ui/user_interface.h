#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/wide_string.h"

namespace launcher::ui {

using WindowHandle = void*;

// The answer of the "JRE Not Found" question.
struct RuntimeAnswer {
  enum class Kind {
    Chosen,     // the user chose a folder that holds a JVM library
    Install,    // the user asked for the offered runtime to be installed
    Cancelled,  // the user declined
    NotShown,   // the question could not be asked
  };
  Kind kind = Kind::Cancelled;
  WideString folder;      // with Chosen: the folder, ending in a path separator
  WideString jvmLibrary;  // with Chosen: the JVM library found in it
};

// Says which JVM library a folder (ending in a path separator) holds; "" for none.
using FolderCheck = std::function<WideString(const WideString& folder)>;

// The "JRE Not Found" question: its message, how a folder offered is checked,
// and, when a runtime can be installed for the user, the text of the choice
// that installs it ("Install Java 21 runtime"; empty: none is offered).
struct RuntimeQuestion {
  WideString message;
  FolderCheck check;
  WideString installChoice;
};

// What a progress window shows of work in progress: a line saying what is
// done, a line of figures, and how far it is (none: not known).
struct ProgressState {
  uint32_t step = 0;  // changes with the headline's kind of work, not its figures
  WideString headline;
  WideString detail;
  std::optional<uint32_t> permille;
};

// What work in progress reports to, and asks whether the user wants it to stop.
class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  virtual void Report(const ProgressState& state) = 0;
  virtual bool CancelRequested() = 0;
};

using BackgroundWork = std::function<void(ProgressSink& sink)>;

// The answer to the "Java Exception" question.
enum class ExceptionAnswer { Ignore, Stop, NotShown };

// Everything the launcher shows to the user: through message boxes and dialogs,
// or on the terminal; tests record.
class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // A modal error message with the error icon, owned by owner (may be null).
  virtual void ShowError(WindowHandle owner, const WideString& text) = 0;

  // The "JRE Not Found" question; a folder the user offers is accepted when
  // the question's check finds a JVM library in it.
  virtual RuntimeAnswer AskForRuntime(WindowHandle owner, const RuntimeQuestion& question) = 0;

  // Runs the work while its progress is shown under the caption, with a way
  // to cancel it, and returns once the work has ended. A window stays
  // responsive: the work then runs on a thread of its own.
  virtual void RunWithProgress(WindowHandle owner, const WideString& caption, const BackgroundWork& work) = 0;

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

}  // namespace launcher::ui
