#include "app/run_sequence.h"

#include "app/application_restart.h"
#include "app/companion_relaunch.h"
#include "app/error_report.h"
#include "app/run_trace.h"
#include "app/runtime_choice.h"
#include "common/argument_list.h"
#include "common/executable_location.h"
#include "common/message_text.h"
#include "instance/instance_link.h"
#include "jvm/jvm_hooks.h"
#include "jvm/jvm_library.h"
#include "jvm/jvm_thread.h"
#include "jvm/launch_plan.h"
#include "jvm/process_environment.h"
#include "jvm/secondary_main.h"
#include "platform/files.h"
#include "platform/library.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text.h"
#include "platform/threads.h"
#include "settings/read_settings.h"
#include "startup_cache/startup_cache_run.h"
#include "ui/splash_screen.h"

namespace launcher::app {

namespace {

constexpr int32_t kFailed = -1;

// Why a start failed, in the trace: the message the user was shown.
std::string FailureReason(const LaunchError& error) {
  return error.IsSilent() ? "failed without a message (the lines above tell why)" : platform::ToUtf8(MessageOf(error));
}

int32_t Failed(const ErrorReport& report, const LaunchError& error, Trace& trace) {
  report(error);
  TraceExit(trace, kFailed, FailureReason(error));
  return kFailed;
}

// "-nosplash", or failing that "/nosplash", exactly as written. Either still
// reaches the application. A console launcher, like java, shows none.
ui::SplashMode SplashModeOf(platform::ImageSubsystem subsystem, const WideStringList& arguments) {
  const bool suppressed = subsystem == platform::ImageSubsystem::Console || HasArgument(arguments, L"-nosplash") ||
                          HasArgument(arguments, L"/nosplash");
  return suppressed ? ui::SplashMode::Suppressed : ui::SplashMode::Shown;
}

// Only a runtime registered by IBM needs its main thread kept after main;
// merely accepting IBM runtimes ("VM Provider=any") must not keep others running.
bool KeepsMainThreadAfterMain(const discovery::ResolvedRuntime& runtime) {
  return runtime.vendor == settings::Vendor::Ibm;
}

// What a start runs: the launcher, the runtime chosen, the command line.
struct ChosenStart {
  const ExecutableLocation& executable;
  const discovery::ResolvedRuntime& runtime;
  const WideStringList& arguments;
};

jvm::LaunchPlanInputs PlanInputsOf(const settings::LauncherSettings& settings, const ChosenStart& start,
                                   const WideString& libraryPath, Trace& trace) {
  return {.application = settings.application,
          .classPath = settings.classPath,
          .vmParameters = settings.vmParameters,
          .userOptions = settings.userJvmOptions,
          .output = settings.output,
          .executable = start.executable,
          .commandLine = start.arguments,
          .libraryPath = libraryPath,
          .memory = &platform::QueryMemoryFigures,
          .shortPath = &platform::ShortPathForm,
          .trace = trace};
}

startup_cache::StartupCacheRunInputs CacheRunInputsOf(const settings::LauncherSettings& settings,
                                                      const ChosenStart& start, const JvmOptionList& planOptions) {
  return {.settings = settings.startupCache,
          .product = settings.product,
          .executablePath = start.executable.path,
          .runtimeHome = start.runtime.home,
          .jvmLibrary = start.runtime.jvmLibrary,
          .planOptions = planOptions};
}

// Later starts reach the application's secondaryMain in the JVM that runs
// main; their threads stay attached where the JVM's main thread stays.
instance::RequestHandler ServeThroughSecondaryMain(JavaVM* vm, const WideString& mainClass,
                                                   const discovery::ResolvedRuntime& runtime) {
  return [vm, mainClass, stayAttached = KeepsMainThreadAfterMain(runtime)](const WideStringList& arguments,
                                                                           const instance::Reply& reply) {
    jvm::CallSecondaryMain(vm, {mainClass, arguments, reply, stayAttached});
  };
}

// The moments on the JVM thread: right before main the instance link gets the
// JVM, and as soon as main has returned or thrown the splash hears of it. With
// "Failure Check" an uncaught exception is offered to the user; a question
// that cannot be asked means Stop.
jvm::MainHooks HooksAroundMain(ui::UserInterface& ui, const settings::ApplicationSettings& application,
                               const discovery::ResolvedRuntime& runtime, ui::SplashScreen& splash,
                               instance::InstanceLink& instance) {
  jvm::MainHooks hooks;
  hooks.beforeMain = [&instance, &application, &runtime](JavaVM* vm) {
    instance.MainStarting(ServeThroughSecondaryMain(vm, application.mainClass, runtime));
  };
  hooks.afterMain = [&splash] { splash.MainEnded(); };
  if (application.failureCheck) {
    hooks.askAboutException = [&ui](const WideString& trace) {
      return ui.ShowException(trace) == ui::ExceptionAnswer::Ignore ? jvm::ExceptionVerdict::Ignore
                                                                    : jvm::ExceptionVerdict::Stop;
    };
  }
  return hooks;
}

// The exit code once the JVM is destroyed, and why: 0, or for a console
// launcher, as java gives it, 1 after an exception main did not catch; -1
// after a failure.
int32_t Finished(Trace& trace, platform::ImageSubsystem subsystem, const Result<jvm::MainEnd>& ran) {
  if (!ran) {
    TraceExit(trace, kFailed, FailureReason(ran.error()));
    return kFailed;
  }
  const bool threw = *ran == jvm::MainEnd::Threw;
  const int32_t code = subsystem == platform::ImageSubsystem::Console && threw ? 1 : 0;
  TraceExit(trace, code,
            threw ? "main left an exception it did not catch and the JVM was destroyed"
                  : "main returned and the JVM was destroyed");
  return code;
}

// The owners whose moments span the whole start: made before the runtime is
// chosen, told when the application ends.
struct StartOwners {
  instance::InstanceLink& instance;
  ApplicationRestart& restart;
};

// Run: the environment, the splash, the JVM library, the plan with the
// start-up cache's options, and the JVM thread; a failure is reported in front
// of the splash window. The run then ends in this order: the splash window
// goes; a first instance goes on serving later starts until the application's
// threads have ended, then serves the requests under way to their end and
// sends later starts away; the JVM is destroyed (waiting for the application's
// threads, which may use the runtime's splash); the runtime's splash goes; the
// start-up cache's build starts; the application is restarted when its exit
// code asks for it.
int32_t RunApplication(const Host& host, const settings::LauncherSettings& settings, const ChosenStart& start,
                       const StartOwners& owners) {
  auto& [instance, restart] = owners;
  Trace& trace = host.trace;
  const auto& [executable, runtime, arguments] = start;
  TracePhase(trace, "environment");
  const WideString libraryPath =
      jvm::ApplyProcessEnvironment(settings.environment, runtime.jvmLibrary, runtime.home, executable.folder, trace);
  jvm::PutRuntimeFirstInLibrarySearch(runtime.jvmLibrary, executable.folder, trace);
  ui::SplashScreen splash(settings.splash, runtime.jvmLibrary, SplashModeOf(host.subsystem, arguments), trace);
  const ErrorReport report(host.ui, [&splash] { return splash.Window(); });
  TracePhase(trace, "load-jvm-library");
  Result<jvm::JvmLibrary> library = jvm::JvmLibrary::Load(runtime.jvmLibrary, trace);
  if (!library) return Failed(report, library.error(), trace);
  TracePhase(trace, "plan");
  splash.LibraryLoaded();
  Result<jvm::LaunchPlan> plan = jvm::BuildLaunchPlan(PlanInputsOf(settings, start, libraryPath, trace));
  if (!plan) return Failed(report, plan.error(), trace);
  startup_cache::StartupCacheRun cache(CacheRunInputsOf(settings, start, plan->options), trace);
  jvm::InsertBeforeUserOptions(*plan, cache.Options());
  TraceMain(trace, *plan);
  TracePhase(trace, "jvm");
  ExitObserver exitObserver(trace, {&cache, &restart});
  const jvm::TerminationObserverScope hooksTell(exitObserver);
  jvm::JvmOutcome outcome =
      jvm::RunJvm({*library, *plan, HooksAroundMain(host.ui, settings.application, runtime, splash, instance),
                   KeepsMainThreadAfterMain(runtime), trace});
  if (!outcome.ran) report(outcome.ran.error());
  const ApplicationEnd end = outcome.ran ? ApplicationEnd::MainEnded : ApplicationEnd::Failed;
  splash.JvmThreadEnded(end);
  TracePhase(trace, "destroy-jvm");
  instance.JvmEnding([&session = outcome.session] {
    if (session) session->WaitForApplicationThreads();
  });
  outcome.session.reset();
  splash.JvmDestroyed();
  cache.ApplicationEnded(end);
  const int32_t code = Finished(trace, host.subsystem, outcome.ran);
  return outcome.ran ? restart.ApplicationEnded(code) : code;
}

// What the process needs before it reads or loads anything: no library is
// ever found in the current folder (which a start may set to a folder the
// publisher does not control); texts convert in the system's code page; and
// the thread has a message queue, so that messages posted to it before its
// first window are kept.
void PrepareProcess(Trace& trace) {
  TraceLibrarySearch(trace, platform::ExcludeCurrentFolderFromLibrarySearch());
  platform::UseSystemLocaleForThread();
  platform::CreateThreadMessageQueue();
}

// "Override WorkingDir": the launcher's folder becomes current before anything
// is looked up. The folder keeps its separator, so that a launcher in a drive's
// root gets "C:\" (the root), not "C:" (that drive's current folder). A folder
// that cannot be entered leaves the current one as it was.
void EnterLauncherFolder(const ExecutableLocation& executable) { platform::ChangeCurrentFolder(executable.folder); }

// "Pair Product" and "Splash Screen" mean files of the current folder when
// relative; named from the root here, they keep that meaning whatever searches
// for them later (a process start looks beside the launcher first).
settings::LauncherSettings WithPathsFixedToCurrentFolder(settings::LauncherSettings settings) {
  settings.product.pairProduct = platform::FixedToCurrentFolder(settings.product.pairProduct);
  settings.splash.picture = platform::FixedToCurrentFolder(settings.splash.picture);
  return settings;
}

// The taskbar groups and pins the application's windows under its own name
// rather than the executable's path; that name must be set before the first
// window (the splash, a dialog) exists.
void NameForTaskbar(const settings::ApplicationSettings& application, Trace& trace) {
  if (application.appUserModelId.empty()) return;
  const platform::SystemStatus named = platform::SetAppUserModelId(application.appUserModelId);
  TraceLine line(trace, "app-user-model-id");
  line.Text("set", application.appUserModelId);
  if (!named) line.Number("error", named.error().code);
  line.Write();
}

// The companion runs the runtime instead of this process, which then loads
// nothing of the JVM machinery.
int32_t HandOverToCompanion(const ErrorReport& report, const settings::ProductSettings& product, Trace& trace) {
  Result<int32_t> exitCode = RelaunchCompanion(product);
  if (!exitCode) return Failed(report, exitCode.error(), trace);
  TraceExit(trace, *exitCode, "the pair product ran the runtime");
  return *exitCode;
}

}  // namespace

int32_t RunLauncher(Host& host, const platform::ProcessCommandLine& commandLine) {
  Trace& trace = host.trace;
  TracePhase(trace, "start");
  PrepareProcess(trace);
  const ErrorReport report(host.ui, nullptr);

  // Initialize: everything up to a chosen runtime.
  const WideStringList arguments = ReadArgumentList(commandLine);
  Result<ExecutableLocation> executable = LocateExecutable(host.modulePath());
  if (!executable) return Failed(report, executable.error(), trace);
  TraceLine(trace, "executable").Text("path", executable->path).Write();
  TracePhase(trace, "settings");
  Result<settings::LauncherSettings> settings = settings::ReadSettings(*executable, host.builtinSettingsText(), trace);
  if (!settings) return Failed(report, settings.error(), trace);
  NameForTaskbar(settings->application, trace);
  // A later start of the same executable hands its arguments to the first
  // and ends with its answer, having looked for nothing else.
  instance::InstanceLink instance(settings->instance, executable->path, trace);
  if (const std::optional<int32_t> reply = instance.HandOff(arguments)) {
    TraceExit(trace, *reply, "a second instance: the arguments went to the first, this is its answer");
    return *reply;
  }
  // Made before the working folder may change: a restart starts where this start did.
  ApplicationRestart restart({.codes = settings->application.restartExitCodes,
                              .executablePath = executable->path,
                              .subsystem = host.subsystem,
                              .instance = instance},
                             trace);
  if (settings->application.overrideWorkingFolder) EnterLauncherFolder(*executable);
  *settings = WithPathsFixedToCurrentFolder(std::move(*settings));
  TracePhase(trace, "runtime");
  Result<discovery::ResolvedRuntime> runtime = ChooseRuntime(host.ui, host.registry, *settings, *executable, trace);
  if (!runtime) return Failed(report, runtime.error(), trace);

  // Run, here or in the companion.
  if (runtime->needsCompanion) {
    instance.Release();
    return HandOverToCompanion(report, settings->product, trace);
  }
  return RunApplication(host, *settings, {.executable = *executable, .runtime = *runtime, .arguments = arguments},
                        {.instance = instance, .restart = restart});
}

}  // namespace launcher::app
