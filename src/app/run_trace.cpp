#include "app/run_trace.h"

namespace launcher::app {

namespace {

const char* RuleName(platform::LibrarySearchRule rule) {
  switch (rule) {
    case platform::LibrarySearchRule::NoCurrentFolder:
      return "no-current-directory";
    case platform::LibrarySearchRule::NeverCurrent:
      return "never-current";
    case platform::LibrarySearchRule::FolderFirst:
      return "folder-first";
    case platform::LibrarySearchRule::Unchanged:
      break;
  }
  return "unchanged";
}

}  // namespace

void TracePhase(Trace& trace, std::string_view name) { TraceLine(trace, "phase").Bytes("name", name).Write(); }

void TraceExit(Trace& trace, int32_t code, std::string_view reason) {
  TraceLine(trace, "exit").Number("code", code).Bytes("reason", reason).Write();
}

void TraceLibrarySearch(Trace& trace, platform::LibrarySearchRule rule) {
  TraceLine(trace, "library-search")
      .Word("rule", RuleName(rule))
      .Flag("current-directory-excluded", rule != platform::LibrarySearchRule::Unchanged)
      .Write();
}

void TraceMain(Trace& trace, const jvm::LaunchPlan& plan) {
  TraceLine(trace, "main-class").Text("name", plan.mainClass).Write();
  for (size_t i = 0; i < plan.arguments.size(); ++i) {
    TraceLine(trace, "main-argument").Number("index", static_cast<int64_t>(i)).Text("text", plan.arguments[i]).Write();
  }
}

ExitObserver::ExitObserver(Trace& trace, std::vector<TerminationObserver*> told)
    : trace_(trace), told_(std::move(told)) {}

void ExitObserver::OnExit(int32_t code) {
  TraceExit(trace_, code, "the application called System.exit");
  for (TerminationObserver* observer : told_) observer->OnExit(code);
}

void ExitObserver::OnAbort() {
  TraceLine(trace_, "abort").Sentence("the JVM aborted the process").Write();
  for (TerminationObserver* observer : told_) observer->OnAbort();
}

}  // namespace launcher::app
