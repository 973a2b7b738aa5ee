#include "app/run_sequence.h"

#include <variant>

#include "app/error_report.h"
#include "app/forwarding_target.h"
#include "app/pair_product.h"
#include "app/runtime_choice.h"
#include "common/argument_list.h"
#include "common/executable_location.h"
#include "instance/single_instance.h"
#include "jvm/jvm_library.h"
#include "jvm/jvm_thread.h"
#include "jvm/launch_plan.h"
#include "jvm/process_environment.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/memory_status.h"
#include "platform/message_queue.h"
#include "platform/process_command_line.h"
#include "settings/read_settings.h"
#include "ui/splash_screen.h"

namespace {

constexpr int32_t kFailed = -1;

int32_t Failed(const ErrorReport& report, const LaunchError& error) {
  report(error);
  return kFailed;
}

// "-nosplash", or failing that "/nosplash", exactly as written. Either still
// reaches the application.
bool SplashSuppressed(const WideStringList& arguments) {
  return HasArgument(arguments, L"-nosplash") || HasArgument(arguments, L"/nosplash");
}

// What happens around main on the JVM thread. Right before main, a first
// instance gets the JVM and starts passing later starts to it. The launcher's
// own splash window goes as soon as main has returned or thrown: before an
// uncaught exception is reported, and also when the thread then never ends
// (IBM runtimes). With "Failure Check" the exception is offered to the user; a
// question that cannot be asked means Stop.
MainHooks HooksAroundMain(UserInterface& ui, const ApplicationSettings& application, SplashScreen& splash,
                          FirstInstance* first, const std::shared_ptr<ForwardingTarget>& forwarding) {
  MainHooks hooks;
  hooks.afterMain = [&splash] { splash.CloseWindow(); };
  if (first != nullptr) {
    hooks.beforeMain = [first, forwarding](JavaVM* vm) {
      forwarding->vm = vm;
      first->OpenForwarding();
    };
  }
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
int32_t RunApplication(const Host& host, const LauncherSettings& settings, const ExecutableLocation& executable,
                       const ResolvedRuntime& runtime, const WideStringList& arguments, FirstInstance* first,
                       const std::shared_ptr<ForwardingTarget>& forwarding) {
  const WideString libraryPath =
      ApplyProcessEnvironment(settings.environment, runtime.jvmLibrary, runtime.home, executable.folder);
  // The splash shows while the JVM library loads; its own window closes first
  // on every way out, the runtime's splash last.
  SplashScreen splash;
  if (!SplashSuppressed(arguments)) splash.Show(settings.splash, runtime.jvmLibrary);
  const ErrorReport report(host.ui, [&splash] { return splash.Window(); });
  Result<JvmLibrary> library = JvmLibrary::Load(runtime.jvmLibrary);
  if (!library) return Failed(report, library.error());
  Result<LaunchPlan> plan =
      BuildLaunchPlan({settings.application, settings.classPath, settings.vmParameters, settings.output, executable,
                       arguments, libraryPath, &platform::QueryMemoryFigures});
  if (!plan) return Failed(report, plan.error());
  forwarding->stayAttached = runtime.vendor == Vendor::Ibm;
  JvmOutcome outcome =
      RunJvm({*library, *plan, HooksAroundMain(host.ui, settings.application, splash, first, forwarding),
              Accepts(settings.runtime.vendor, Vendor::Ibm)});
  if (!outcome.ran) {
    report(outcome.ran.error());
    splash.CloseNative();
  }
  // Clean-up, in this order: the splash window closes; the JVM is destroyed
  // (after main has returned, the application's threads may still run and
  // use the runtime's splash); the runtime's splash closes.
  splash.CloseWindow();
  outcome.session.reset();
  splash.CloseNative();
  return outcome.ran ? 0 : kFailed;
}

// "Override WorkingDir": the launcher's folder becomes current before anything
// is looked up. The folder keeps its separator, so that a launcher in a drive's
// root gets "C:\" (the root), not "C:" (that drive's current folder). A folder
// that cannot be entered leaves the current one as it was.
void ApplyWorkingDirectory(const ExecutableLocation& executable) {
  platform::ChangeCurrentDirectory(executable.folder);
}

// The pair product runs the runtime instead of this process, which then loads
// nothing of the JVM machinery.
int32_t HandOverToPairProduct(const ErrorReport& report, const ProductSettings& product) {
  Result<int32_t> exitCode = RelaunchPairProduct(product);
  if (!exitCode) return Failed(report, exitCode.error());
  return *exitCode;
}

}  // namespace

int32_t RunLauncher(Host& host) {
  platform::UseSystemLocaleForThread();
  platform::CreateThreadMessageQueue();
  const ErrorReport report(host.ui, nullptr);

  // Initialize: everything up to a chosen runtime.
  const WideStringList arguments = ReadArgumentList(platform::QueryCommandLine());
  Result<ExecutableLocation> executable = LocateExecutable(host.modulePath());
  if (!executable) return Failed(report, executable.error());
  Result<LauncherSettings> settings = ReadSettings(*executable, host.builtinSettingsText());
  if (!settings) return Failed(report, settings.error());

  // Single instance: a later start of the same executable hands its arguments
  // to the first and ends with its answer, having looked for nothing else.
  auto forwarding = std::make_shared<ForwardingTarget>();
  forwarding->mainClass = settings->application.mainClass;
  InstanceRole role = OrdinaryStart{};
  if (settings->instance.singleInstance) {
    role = SetUpSingleInstance(executable->path, ServeThroughSecondaryMain(forwarding));
  }
  if (auto* second = std::get_if<std::unique_ptr<SecondInstance>>(&role)) return (*second)->HandOff(arguments);
  if (settings->application.overrideWorkingDirectory) ApplyWorkingDirectory(*executable);
  Result<ResolvedRuntime> runtime = ChooseRuntime(host.ui, host.registry, *settings, *executable);
  if (!runtime) return Failed(report, runtime.error());

  // Run.
  if (runtime->needsCompanion) {
    // The companion is the instance now: later starts go to it (or to another
    // companion through another launcher), not to this process.
    role = OrdinaryStart{};
    return HandOverToPairProduct(report, settings->product);
  }
  auto* first = std::get_if<std::unique_ptr<FirstInstance>>(&role);
  const int32_t exitCode = RunApplication(host, *settings, *executable, *runtime, arguments,
                                          first != nullptr ? first->get() : nullptr, forwarding);
  // Clean-up, after the JVM: the single-instance message thread stops, the
  // shared block is released, then the forwarding event.
  role = OrdinaryStart{};
  return exitCode;
}
