#include <cstdio>

#include "discovery/java_download_page.h"
#include "launcher/user_interface.h"
#include "platform/unicode.h"

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

  RuntimeChoice AskForRuntime(WindowHandle, const WideString& message, JvmTypeMode) override {
    PrintLine(message + L"\n" + kJavaDownloadPage);
    return {};
  }

  int ShowException(const WideString& description) override {
    PrintLine(description);
    return kDialogCancel;
  }
};

}  // namespace

UserInterface& SystemUserInterface() {
  static ConsoleUserInterface ui;
  return ui;
}
