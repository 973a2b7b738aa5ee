#include <cstdio>

#include "platform/unicode.h"
#include "ui/java_download_page.h"
#include "ui/user_interface.h"

namespace {

void PrintLine(const WideString& text) {
  std::string bytes = platform::ToUtf8(text);
  if (bytes.empty() || bytes.back() != '\n') bytes.push_back('\n');
  std::fputs(bytes.c_str(), stderr);
  std::fflush(stderr);
}

// A POSIX launcher has no windows: messages go to standard error and the
// questions a dialog would ask are answered with Cancel (no runtime chosen)
// and Stop (the application ends).
class ConsoleUserInterface final : public UserInterface {
 public:
  void ShowError(WindowHandle, const WideString& text) override { PrintLine(text); }

  RuntimeAnswer AskForRuntime(WindowHandle, const WideString& message, const FolderCheck&) override {
    PrintLine(message + L"\n" + kJavaDownloadPage);
    return {};
  }

  ExceptionAnswer ShowException(const WideString& trace) override {
    PrintLine(trace);
    return ExceptionAnswer::Stop;
  }
};

}  // namespace

UserInterface& SystemUserInterface() {
  static ConsoleUserInterface ui;
  return ui;
}
