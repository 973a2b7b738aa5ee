#include "app/run_trace.h"

namespace {

const char* RuleName(platform::LibrarySearchRule rule) {
  switch (rule) {
    case platform::LibrarySearchRule::NoCurrentDirectory:
      return "no-current-directory";
    case platform::LibrarySearchRule::NeverCurrent:
      return "never-current";
    case platform::LibrarySearchRule::Unchanged:
      break;
  }
  return "unchanged";
}

const char* MechanismName(CacheMechanism mechanism) {
  switch (mechanism) {
    case CacheMechanism::ClassDataArchive:
      return "class-data-archive";
    case CacheMechanism::AotCache:
      return "aot-cache";
    case CacheMechanism::None:
      break;
  }
  return "none";
}

const char* SplashSourceName(SplashSource source) {
  switch (source) {
    case SplashSource::OwnWindow:
      return "own-window";
    case SplashSource::RuntimeLibrary:
      return "runtime-library";
    case SplashSource::None:
      break;
  }
  return "none";
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

void TraceSplash(Trace& trace, SplashSource source) {
  TraceLine(trace, "splash").Word("shown-by", SplashSourceName(source)).Write();
}

void TraceStartupCache(Trace& trace, const StartupCachePlan& cache) {
  TraceLine(trace, "startup-cache")
      .Word("mechanism", MechanismName(cache.choice.mechanism))
      .Bytes("why", DescribeCacheReason(cache.choice.reason))
      .Bytes("this-start", DescribeCacheReason(cache.outcome))
      .Flag("build-after", cache.job.has_value())
      .Write();
}

void TraceMain(Trace& trace, const LaunchPlan& plan) {
  TraceLine(trace, "main-class").Text("name", plan.mainClass).Write();
  for (size_t i = 0; i < plan.arguments.size(); ++i) {
    TraceLine(trace, "main-argument").Number("index", static_cast<int64_t>(i)).Text("text", plan.arguments[i]).Write();
  }
}

ExitObserver::ExitObserver(Trace& trace, TerminationObserver* next) : trace_(trace), next_(next) {
  SetTerminationObserver(this);
}

ExitObserver::~ExitObserver() { SetTerminationObserver(nullptr); }

void ExitObserver::OnExit(int32_t code) {
  TraceExit(trace_, code, "the application called System.exit");
  if (next_ != nullptr) next_->OnExit(code);
}

void ExitObserver::OnAbort() {
  TraceLine(trace_, "abort").Sentence("the JVM aborted the process").Write();
  if (next_ != nullptr) next_->OnAbort();
}
