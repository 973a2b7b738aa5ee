#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>

#include "common/message_text.h"
#include "platform/path_parts.h"
#include "platform/path_syntax.h"
#include "platform/unicode.h"
#include "ui/java_download_page.h"
#include "ui/user_interface.h"

namespace {

void Print(const WideString& text) {
  std::fputs(platform::ToUtf8(text).c_str(), stderr);
  std::fflush(stderr);
}

void PrintLine(const WideString& text) { Print(text.empty() || text.back() != L'\n' ? text + L"\n" : text); }

// A line typed on standard input, without its line end; nullopt at its end.
std::optional<std::string> ReadLine() {
  std::string line;
  for (int c = std::getc(stdin); c != '\n'; c = std::getc(stdin)) {
    if (c == EOF) return line.empty() ? std::nullopt : std::optional<std::string>(line);
    line.push_back(static_cast<char>(c));
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

// A folder typed relative to the current one is remembered in full, since the
// next start may run elsewhere.
WideString FullFolder(const WideString& typed) {
  if (platform::IsAbsolutePath(typed)) return typed;
  std::string current(4096, '\0');
  if (getcwd(current.data(), current.size()) == nullptr) return typed;
  current.resize(current.find('\0'));
  return platform::WithTrailingSeparator(platform::FromUtf8(current)) + typed;
}

// The "JRE Not Found" question on the terminal: the folder typed is taken when
// it holds a JVM library of the wanted kind, else it is asked for again; an
// empty line (or the end of input) cancels.
RuntimeAnswer AskOnTerminal(const FolderCheck& check) {
  const WideString prompt = LoadStringText(StringId::kBrowseForJre) + L": ";
  for (;;) {
    Print(prompt);
    const std::optional<std::string> line = ReadLine();
    if (!line || line->empty()) return {RuntimeAnswer::Kind::Cancelled, {}, {}};
    const WideString folder = platform::WithTrailingSeparator(FullFolder(platform::FromUtf8(*line)));
    const WideString library = check(folder);
    if (!library.empty()) return {RuntimeAnswer::Kind::Chosen, folder, library};
  }
}

// A POSIX launcher has no windows: messages go to standard error, and the
// "JRE Not Found" question is asked on the terminal when there is one.
class ConsoleUserInterface final : public UserInterface {
 public:
  void ShowError(WindowHandle, const WideString& text) override { PrintLine(text); }

  RuntimeAnswer AskForRuntime(WindowHandle, const WideString& message, const FolderCheck& check) override {
    PrintLine(message + L"\n" + kJavaDownloadPage);
    if (isatty(STDIN_FILENO) == 0 || isatty(STDERR_FILENO) == 0) return {RuntimeAnswer::Kind::NotShown, {}, {}};
    return AskOnTerminal(check);
  }

  // Nobody is asked: the trace has gone to the application's System.err, and
  // the application stops.
  ExceptionAnswer ShowException(const WideString&) override { return ExceptionAnswer::Stop; }
};

}  // namespace

UserInterface& SystemUserInterface() {
  static ConsoleUserInterface ui;
  return ui;
}
