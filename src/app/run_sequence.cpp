#include "app/run_sequence.h"

#include "app/error_report.h"
#include "app/runtime_choice.h"
#include "common/argument_list.h"
#include "common/executable_location.h"
#include "common/message_text.h"
#include "jvm/jvm_hooks.h"
#include "jvm/jvm_library.h"
#include "jvm/jvm_thread.h"
#include "jvm/launch_plan.h"
#include "jvm/process_environment.h"
#include "platform/code_page.h"
#include "platform/library_search.h"
#include "platform/memory_status.h"
#include "platform/message_queue.h"
#include "platform/process_command_line.h"
#include "platform/unicode.h"
#include "settings/read_settings.h"

namespace {

constexpr int32_t kFailed = -1;

// The phases of a start: the line's time says when each began.
void TracePhase(Trace& trace, std::string_view name) { TraceLine(trace, "phase").Bytes("name", name).Write(); }

void TraceExit(Trace& trace, int32_t code, std::string_view reason) {
  TraceLine(trace, "exit").Number("code", code).Bytes("reason", reason).Write();
}

// Why a start failed, in the trace: the message the user was shown.
std::string FailureReason(const LaunchError& error) {
  return error.IsSilent() ? "failed without a message (the lines above tell why)" : platform::ToUtf8(MessageOf(error));
}

int32_t Failed(const ErrorReport& report, const LaunchError& error, Trace& trace) {
  report(error);
  TraceExit(trace, kFailed, FailureReason(error));
  return kFailed;
}

const char* RuleName(platform::LibrarySearchRule rule) {
  switch (rule) {
    case platform::LibrarySearchRule::DefaultDirectories:
      return "default-directories";
    case platform::LibrarySearchRule::NoCurrentDirectory:
      return "no-current-directory";
    case platform::LibrarySearchRule::NeverCurrent:
      return "never-current";
    case platform::LibrarySearchRule::Unchanged:
      break;
  }
  return "unchanged";
}

void TraceLibrarySearch(Trace& trace, platform::LibrarySearchRule rule) {
  TraceLine(trace, "library-search")
      .Word("rule", RuleName(rule))
      .Flag("current-directory-excluded", rule != platform::LibrarySearchRule::Unchanged)
      .Write();
}

// The JVM ends the process itself after System.exit, through its exit hook:
// the trace is told there, as the run sequence never returns.
class ExitTracer final : public TerminationObserver {
 public:
  explicit ExitTracer(Trace& trace) : trace_(trace) { SetTerminationObserver(this); }
  ~ExitTracer() override { SetTerminationObserver(nullptr); }
  ExitTracer(const ExitTracer&) = delete;
  ExitTracer& operator=(const ExitTracer&) = delete;

  void OnExit(int32_t code) override { TraceExit(trace_, code, "the application called System.exit"); }
  void OnAbort() override { TraceLine(trace_, "abort").Sentence("the JVM aborted the process").Write(); }

 private:
  Trace& trace_;
};

// What happens around main on the JVM thread. With "Failure Check" an uncaught
// exception is offered to the user; a question that cannot be asked means Stop.
MainHooks HooksAroundMain(UserInterface& ui, const ApplicationSettings& application) {
  MainHooks hooks;
  if (application.failureCheck) {
    hooks.askAboutException = [&ui](const WideString& trace) {
      return ui.ShowException(trace) == ExceptionAnswer::Ignore ? ExceptionVerdict::Ignore : ExceptionVerdict::Stop;
    };
  }
  return hooks;
}

void TraceMain(Trace& trace, const LaunchPlan& plan) {
  TraceLine(trace, "main-class").Text("name", plan.mainClass).Write();
  for (size_t i = 0; i < plan.arguments.size(); ++i) {
    TraceLine(trace, "main-argument").Number("index", static_cast<int64_t>(i)).Text("text", plan.arguments[i]).Write();
  }
}

// Run: the environment, the JVM library, the plan, and the JVM thread; the
// JVM is destroyed (waiting for the application's threads) before returning.
int32_t RunApplication(const Host& host, const ErrorReport& report, const LauncherSettings& settings,
                       const ExecutableLocation& executable, const ResolvedRuntime& runtime,
                       const WideStringList& arguments) {
  Trace& trace = host.trace;
  TracePhase(trace, "environment");
  const WideString libraryPath =
      ApplyProcessEnvironment(settings.environment, runtime.jvmLibrary, runtime.home, executable.folder, trace);
  // [splash] The splash shows here, unless "-nosplash" or "/nosplash" is given: before the JVM library loads.
  TracePhase(trace, "load-jvm-library");
  Result<JvmLibrary> library = JvmLibrary::Load(runtime.jvmLibrary, trace);
  if (!library) return Failed(report, library.error(), trace);
  Result<LaunchPlan> plan =
      BuildLaunchPlan({settings.application, settings.classPath, settings.vmParameters, settings.output, executable,
                       arguments, libraryPath, &platform::QueryMemoryFigures});
  if (!plan) return Failed(report, plan.error(), trace);
  TraceMain(trace, *plan);
  TracePhase(trace, "jvm");
  const ExitTracer exitTracer(trace);
  JvmOutcome outcome = RunJvm({*library, *plan, HooksAroundMain(host.ui, settings.application),
                               Accepts(settings.runtime.vendor, Vendor::Ibm), trace});
  if (!outcome.ran) report(outcome.ran.error());
  // Clean-up, in this order: [splash] the splash closes; the JVM is destroyed.
  TracePhase(trace, "destroy-jvm");
  outcome.session.reset();
  const int32_t code = outcome.ran ? 0 : kFailed;
  TraceExit(trace, code, outcome.ran ? "main returned and the JVM was destroyed" : FailureReason(outcome.ran.error()));
  return code;
}

}  // namespace

int32_t RunLauncher(Host& host) {
  Trace& trace = host.trace;
  TracePhase(trace, "start");
  TraceLibrarySearch(trace, platform::ExcludeCurrentDirectoryFromLibrarySearch());
  platform::UseSystemLocaleForThread();
  platform::CreateThreadMessageQueue();
  const ErrorReport report(host.ui, nullptr);

  // Initialize: everything up to a chosen runtime.
  const WideStringList arguments = ReadArgumentList(platform::QueryCommandLine());
  Result<ExecutableLocation> executable = LocateExecutable(host.modulePath());
  if (!executable) return Failed(report, executable.error(), trace);
  TraceLine(trace, "executable").Text("path", executable->path).Write();
  TracePhase(trace, "settings");
  Result<LauncherSettings> settings = ReadSettings(*executable, host.builtinSettingsText(), trace);
  if (!settings) return Failed(report, settings.error(), trace);
  // [single instance] A second instance hands its arguments to the first here and ends with its answer.
  // [working directory] "Override WorkingDir" makes the launcher's folder current here.
  TracePhase(trace, "runtime");
  Result<ResolvedRuntime> runtime = ChooseRuntime(host.ui, host.registry, *settings, *executable, trace);
  if (!runtime) return Failed(report, runtime.error(), trace);

  // Run.
  // [pair product] A runtime that needs the 32-bit companion is handed over to it here.
  return RunApplication(host, report, *settings, *executable, *runtime, arguments);
}
