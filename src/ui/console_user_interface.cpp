#include <chrono>
#include <optional>

#include "common/message_text.h"
#include "common/text.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "ui/java_download_page.h"
#include "ui/user_interface.h"

namespace launcher::ui {

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
    const WideString folder = platform::WithTrailingSeparator(platform::FixedToCurrentFolder(typed));
    const WideString library = check(folder);
    if (!library.empty()) return {RuntimeAnswer::Kind::Chosen, folder, library};
  }
}

// The offer to install a runtime, before the folder question: yes installs, no
// goes on to the folder, an empty line (or the end of input) cancels.
std::optional<RuntimeAnswer> AskAboutInstall(const WideString& installChoice) {
  const WideString prompt = LoadFormatted(StringId::kInstallQuestion, {installChoice});
  for (;;) {
    platform::WriteStandardError(prompt);
    const std::optional<WideString> line = platform::ReadStandardInputLine();
    if (!line || line->empty()) return RuntimeAnswer{RuntimeAnswer::Kind::Cancelled, {}, {}};
    const WideString answer = TrimWhiteSpace(*line);
    if (EqualsIgnoringCase(answer, L"y") || EqualsIgnoringCase(answer, L"yes")) {
      return RuntimeAnswer{RuntimeAnswer::Kind::Install, {}, {}};
    }
    if (EqualsIgnoringCase(answer, L"n") || EqualsIgnoringCase(answer, L"no")) return std::nullopt;
  }
}

// Progress on standard error: a line whenever the kind of work changes (the
// last figures of the kind before it first), and the figures at most once a
// second, so that a log stays readable.
class ConsoleProgress final : public ProgressSink {
 public:
  ~ConsoleProgress() override { PrintPending(); }

  void Report(const ProgressState& state) override {
    const auto now = std::chrono::steady_clock::now();
    const bool newStep = !printed_ || state.step != step_;
    if (newStep) PrintPending();
    pending_ = state;
    if (!newStep && now - last_ < std::chrono::seconds(1)) return;
    printed_ = true;
    step_ = state.step;
    last_ = now;
    PrintPending();
  }
  // A console start is stopped by Ctrl+C; the store keeps nothing half-made.
  bool CancelRequested() override { return false; }

 private:
  void PrintPending() {
    if (!pending_) return;
    PrintLine(pending_->detail.empty() ? pending_->headline : pending_->headline + L": " + pending_->detail);
    pending_.reset();
  }

  bool printed_ = false;
  uint32_t step_ = 0;
  std::chrono::steady_clock::time_point last_;
  std::optional<ProgressState> pending_;
};

// A launcher on a console has no windows: messages and progress go to
// standard error, and the "JRE Not Found" question is asked there when
// standard input and error are a terminal.
class Console final : public UserInterface {
 public:
  void ShowError(WindowHandle, const WideString& text) override { PrintLine(text); }

  RuntimeAnswer AskForRuntime(WindowHandle, const RuntimeQuestion& question) override {
    PrintLine(question.message + L"\n" + kJavaDownloadPage);
    if (!platform::IsTerminal(platform::StandardStream::Input) ||
        !platform::IsTerminal(platform::StandardStream::Error)) {
      return {RuntimeAnswer::Kind::NotShown, {}, {}};
    }
    if (!question.installChoice.empty()) {
      if (std::optional<RuntimeAnswer> answer = AskAboutInstall(question.installChoice)) return *answer;
    }
    return AskOnConsole(question.check);
  }

  void RunWithProgress(WindowHandle, const WideString& caption, const BackgroundWork& work) override {
    PrintLine(caption);
    ConsoleProgress progress;
    work(progress);
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

}  // namespace launcher::ui
