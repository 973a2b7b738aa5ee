#include <optional>

#include "common/message_text.h"
#include "common/text.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "ui/java_download_page.h"
#include "ui/user_interface.h"

namespace {

void PrintLine(const WideString& text) {
  platform::WriteStandardError(text.empty() || text.back() != L'\n' ? text + L"\n" : text);
}

// The "JRE Not Found" question on the console: the folder typed is taken when
// it holds a JVM library of the wanted kind, else it is asked for again; an
// empty line (or the end of input) cancels. A path in double quotes (Explorer's
// "Copy as path") is taken without them. A folder typed relative to the
// current one is remembered in full, since the next start may run elsewhere.
RuntimeAnswer AskOnConsole(const FolderCheck& check) {
  const WideString prompt = LoadStringText(StringId::kBrowseForJre) + L": ";
  for (;;) {
    platform::WriteStandardError(prompt);
    const std::optional<WideString> line = platform::ReadStandardInputLine();
    const WideString typed = line ? WithoutEnclosingQuotes(*line) : WideString();
    if (typed.empty()) return {RuntimeAnswer::Kind::Cancelled, {}, {}};
    const WideString folder = platform::WithTrailingSeparator(platform::FixedToCurrentDirectory(typed));
    const WideString library = check(folder);
    if (!library.empty()) return {RuntimeAnswer::Kind::Chosen, folder, library};
  }
}

// A launcher on a console has no windows: messages go to standard error, and
// the "JRE Not Found" question is asked there when standard input and error
// are a terminal.
class Console final : public UserInterface {
 public:
  void ShowError(WindowHandle, const WideString& text) override { PrintLine(text); }

  RuntimeAnswer AskForRuntime(WindowHandle, const WideString& message, const FolderCheck& check) override {
    PrintLine(message + L"\n" + kJavaDownloadPage);
    if (!platform::IsTerminal(platform::StandardStream::Input) ||
        !platform::IsTerminal(platform::StandardStream::Error)) {
      return {RuntimeAnswer::Kind::NotShown, {}, {}};
    }
    return AskOnConsole(check);
  }

  // Nobody is asked: the trace goes to the application's System.err, and the
  // application stops.
  ExceptionAnswer ShowException(const WideString&) override { return ExceptionAnswer::Stop; }

  void HoldBeforeClosing() override {
    PrintLine(LoadStringText(StringId::kPressAnyKey));
    platform::WaitForKeyPress();
  }
};

}  // namespace

UserInterface& ConsoleUserInterface() {
  static Console ui;
  return ui;
}
