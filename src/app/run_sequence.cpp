#include "app/run_sequence.h"

#include <functional>
#include <variant>

#include "app/error_report.h"
#include "app/forwarding_target.h"
#include "app/pair_product.h"
#include "app/run_trace.h"
#include "app/runtime_choice.h"
#include "app/startup_cache_setup.h"
#include "common/argument_list.h"
#include "common/executable_location.h"
#include "common/message_text.h"
#include "instance/single_instance.h"
#include "jvm/jvm_hooks.h"
#include "jvm/jvm_library.h"
#include "jvm/jvm_thread.h"
#include "jvm/launch_plan.h"
#include "jvm/process_environment.h"
#include "platform/files.h"
#include "platform/library.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text.h"
#include "platform/threads.h"
#include "settings/read_settings.h"
#include "startup_cache/startup_cache_build.h"
#include "ui/splash_screen.h"

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
bool SplashSuppressed(platform::ImageSubsystem subsystem, const WideStringList& arguments) {
  return subsystem == platform::ImageSubsystem::Console || HasArgument(arguments, L"-nosplash") ||
         HasArgument(arguments, L"/nosplash");
}

// Once main has ended and the JVM is destroyed: 0, or for a console launcher,
// as java gives it, 1 after an exception main did not catch.
int32_t ExitCodeAfterMain(platform::ImageSubsystem subsystem, MainEnd end) {
  return subsystem == platform::ImageSubsystem::Console && end == MainEnd::Threw ? 1 : 0;
}

std::string EndOfMainReason(MainEnd end) {
  return end == MainEnd::Threw ? "main left an exception it did not catch and the JVM was destroyed"
                               : "main returned and the JVM was destroyed";
}

// Only a runtime registered by IBM needs its main thread kept after main;
// merely accepting IBM runtimes ("VM Provider=any") must not keep others running.
bool KeepsMainThreadAfterMain(const ResolvedRuntime& runtime) { return runtime.vendor == Vendor::Ibm; }

// What a start runs: the launcher, the runtime chosen, the command line.
struct ChosenStart {
  const ExecutableLocation& executable;
  const ResolvedRuntime& runtime;
  const WideStringList& arguments;
};

// A first instance lets later starts' requests through to the application
// from right before main, and refuses them from the moment the JVM is
// destroyed. Both are empty for other starts.
struct ForwardingGate {
  std::function<void(JavaVM*)> open;
  std::function<void()> close;
};

ForwardingGate GateOf(FirstInstance* first, const std::shared_ptr<ForwardingTarget>& forwarding,
                      const ResolvedRuntime& runtime, Trace& trace) {
  if (first == nullptr) return {};
  // Request threads stay attached where the JVM's main thread stays.
  forwarding->stayAttached = KeepsMainThreadAfterMain(runtime);
  return {.open =
              [first, forwarding](JavaVM* vm) {
                forwarding->vm = vm;
                first->OpenForwarding();
              },
          .close =
              [first, &trace] {
                first->CloseForwarding();
                TraceLine(trace, "forwarding-closed").Write();
              }};
}

// What happens around main on the JVM thread. Right before main, a first
// instance gets the JVM and starts passing later starts to it. The launcher's
// own splash window goes as soon as main has returned or thrown: before an
// uncaught exception is reported, and also when the thread then never ends
// (IBM runtimes). With "Failure Check" the exception is offered to the user; a
// question that cannot be asked means Stop.
MainHooks HooksAroundMain(UserInterface& ui, const ApplicationSettings& application, SplashScreen& splash,
                          const ForwardingGate& gate) {
  MainHooks hooks;
  hooks.afterMain = [&splash] { splash.CloseWindow(); };
  hooks.beforeMain = gate.open;
  if (application.failureCheck) {
    hooks.askAboutException = [&ui](const WideString& trace) {
      return ui.ShowException(trace) == ExceptionAnswer::Ignore ? ExceptionVerdict::Ignore : ExceptionVerdict::Stop;
    };
  }
  return hooks;
}

// Run: the environment, the splash, the JVM library, the plan, and the JVM
// thread; the JVM is destroyed (waiting for the application's threads) before
// returning. Failures are reported in front of the splash, which is still up.
int32_t RunApplication(const Host& host, const LauncherSettings& settings, const ChosenStart& start,
                       const ForwardingGate& gate) {
  Trace& trace = host.trace;
  const auto& [executable, runtime, arguments] = start;
  TracePhase(trace, "environment");
  const WideString libraryPath =
      ApplyProcessEnvironment(settings.environment, runtime.jvmLibrary, runtime.home, executable.folder, trace);
  // The launcher's own splash shows while the JVM library loads; the
  // runtime's splash only once it is loaded, with the runtime's own DLLs: the
  // runtime's splash library imports it, and loaded by that import it would
  // take its own imports from wherever the system looks. The own window closes
  // first on every way out, the runtime's splash last.
  SplashScreen splash;
  const bool showSplash = !SplashSuppressed(host.subsystem, arguments);
  if (showSplash) splash.ShowOwnWindow(settings.splash, runtime.jvmLibrary);
  const ErrorReport report(host.ui, [&splash] { return splash.Window(); });
  TracePhase(trace, "load-jvm-library");
  Result<JvmLibrary> library = JvmLibrary::Load(runtime.jvmLibrary, trace);
  if (!library) return Failed(report, library.error(), trace);
  TracePhase(trace, "plan");
  if (showSplash) splash.ShowRuntimeSplash(settings.splash, runtime.jvmLibrary);
  TraceSplash(trace, splash.Source());
  // The start-up cache's options follow the plan's own, from which they are
  // chosen; an archive to build is built once the application has ended:
  // after the JVM is destroyed, or when the application calls System.exit.
  StartupCachePlan cache;
  const auto cacheOptions = [&](const JvmOptionList& own) {
    cache = PrepareStartupCache(settings.startupCache, settings.product, start.executable, start.runtime, own);
    return cache.options;
  };
  Result<LaunchPlan> plan = BuildLaunchPlan({.application = settings.application,
                                             .classPath = settings.classPath,
                                             .vmParameters = settings.vmParameters,
                                             .output = settings.output,
                                             .executable = executable,
                                             .commandLine = arguments,
                                             .libraryPath = libraryPath,
                                             .memory = &platform::QueryMemoryFigures,
                                             .following = cacheOptions});
  if (!plan) return Failed(report, plan.error(), trace);
  TraceStartupCache(trace, cache);
  CacheBuildStarter cacheBuild(cache.job, executable.path);
  TraceMain(trace, *plan);
  TracePhase(trace, "jvm");
  const ExitObserver exitObserver(trace, &cacheBuild);
  JvmOutcome outcome = RunJvm({*library, *plan, HooksAroundMain(host.ui, settings.application, splash, gate),
                               KeepsMainThreadAfterMain(runtime), trace});
  if (!outcome.ran) {
    report(outcome.ran.error());
    splash.CloseNative();
  }
  // Clean-up, in this order: the splash window closes; the JVM is destroyed
  // (after main has returned, the application's threads may still run and
  // use the runtime's splash); the runtime's splash closes.
  splash.CloseWindow();
  TracePhase(trace, "destroy-jvm");
  outcome.session.reset();
  // A request let through from now on would attach to a JVM that is gone.
  if (gate.close) gate.close();
  splash.CloseNative();
  if (outcome.ran) cacheBuild.Start();
  const int32_t code = outcome.ran ? ExitCodeAfterMain(host.subsystem, *outcome.ran) : kFailed;
  TraceExit(trace, code, outcome.ran ? EndOfMainReason(*outcome.ran) : FailureReason(outcome.ran.error()));
  return code;
}

// What the process needs before it reads or loads anything: no library is
// ever found in the current folder (which a start may set to a folder the
// publisher does not control); texts convert in the system's code page; and
// the thread has a message queue, so that messages posted to it before its
// first window are kept.
void PrepareProcess(Trace& trace) {
  TraceLibrarySearch(trace, platform::ExcludeCurrentDirectoryFromLibrarySearch());
  platform::UseSystemLocaleForThread();
  platform::CreateThreadMessageQueue();
}

// "Override WorkingDir": the launcher's folder becomes current before anything
// is looked up. The folder keeps its separator, so that a launcher in a drive's
// root gets "C:\" (the root), not "C:" (that drive's current folder). A folder
// that cannot be entered leaves the current one as it was.
void ApplyWorkingDirectory(const ExecutableLocation& executable) {
  platform::ChangeCurrentDirectory(executable.folder);
}

// "Pair Product" and "Splash Screen" mean files of the current folder when
// relative; named from the root here, they keep that meaning whatever searches
// for them later (a process start looks beside the launcher first).
LauncherSettings WithPathsFixedToCurrentDirectory(LauncherSettings settings) {
  settings.product.pairProduct = platform::FixedToCurrentDirectory(settings.product.pairProduct);
  settings.splash.picture = platform::FixedToCurrentDirectory(settings.splash.picture);
  return settings;
}

// The pair product runs the runtime instead of this process, which then loads
// nothing of the JVM machinery.
int32_t HandOverToPairProduct(const ErrorReport& report, const ProductSettings& product, Trace& trace) {
  Result<int32_t> exitCode = RelaunchPairProduct(product);
  if (!exitCode) return Failed(report, exitCode.error(), trace);
  TraceExit(trace, *exitCode, "the pair product ran the runtime");
  return *exitCode;
}

}  // namespace

int32_t RunLauncher(Host& host) {
  Trace& trace = host.trace;
  TracePhase(trace, "start");
  PrepareProcess(trace);
  const ErrorReport report(host.ui, nullptr);

  // Initialize: everything up to a chosen runtime.
  const WideStringList arguments = ReadArgumentList(platform::QueryCommandLine());
  Result<ExecutableLocation> executable = LocateExecutable(host.modulePath());
  if (!executable) return Failed(report, executable.error(), trace);
  TraceLine(trace, "executable").Text("path", executable->path).Write();
  TracePhase(trace, "settings");
  Result<LauncherSettings> settings = ReadSettings(*executable, host.builtinSettingsText(), trace);
  if (!settings) return Failed(report, settings.error(), trace);

  // Single instance: a later start of the same executable hands its arguments
  // to the first and ends with its answer, having looked for nothing else.
  auto forwarding = std::make_shared<ForwardingTarget>();
  forwarding->mainClass = settings->application.mainClass;
  InstanceRole role = OrdinaryStart{};
  if (settings->instance.singleInstance) {
    role = SetUpSingleInstance(executable->path, ServeThroughSecondaryMain(forwarding));
  }
  if (auto* second = std::get_if<std::unique_ptr<SecondInstance>>(&role)) {
    const int32_t reply = (*second)->HandOff(arguments, trace);
    TraceExit(trace, reply, "a second instance: the arguments went to the first, this is its answer");
    return reply;
  }
  if (settings->application.overrideWorkingDirectory) ApplyWorkingDirectory(*executable);
  *settings = WithPathsFixedToCurrentDirectory(std::move(*settings));
  TracePhase(trace, "runtime");
  Result<ResolvedRuntime> runtime =
      ChooseRuntime(host.ui, host.registry, settings->runtime, settings->product, *executable, trace);
  if (!runtime) return Failed(report, runtime.error(), trace);

  // Run.
  if (runtime->needsCompanion) {
    // The companion is the instance now: later starts go to it (or to another
    // companion through another launcher), not to this process.
    role = OrdinaryStart{};
    return HandOverToPairProduct(report, settings->product, trace);
  }
  auto* first = std::get_if<std::unique_ptr<FirstInstance>>(&role);
  const int32_t exitCode =
      RunApplication(host, *settings, {.executable = *executable, .runtime = *runtime, .arguments = arguments},
                     GateOf(first != nullptr ? first->get() : nullptr, forwarding, *runtime, trace));
  // Clean-up, after the JVM: the single-instance message thread stops, the
  // shared block is released, then the forwarding event.
  role = OrdinaryStart{};
  return exitCode;
}
