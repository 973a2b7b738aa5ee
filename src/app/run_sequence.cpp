#include "app/run_sequence.h"

#include "app/error_report.h"
#include "app/runtime_choice.h"
#include "common/argument_list.h"
#include "common/executable_location.h"
#include "jvm/jvm_library.h"
#include "jvm/jvm_thread.h"
#include "jvm/launch_plan.h"
#include "jvm/process_environment.h"
#include "platform/code_page.h"
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

// What happens around main on the JVM thread. The launcher's own splash window
// goes as soon as main has returned or thrown: before an uncaught exception is
// reported, and also when the thread then never ends (IBM runtimes). With
// "Failure Check" the exception is offered to the user; a question that cannot
// be asked means Stop.
MainHooks HooksAroundMain(UserInterface& ui, const ApplicationSettings& application, SplashScreen& splash) {
  MainHooks hooks;
  hooks.afterMain = [&splash] { splash.CloseWindow(); };
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
                       const ResolvedRuntime& runtime, const WideStringList& arguments) {
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
  JvmOutcome outcome = RunJvm({*library, *plan, HooksAroundMain(host.ui, settings.application, splash),
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
  // [single instance] A second instance hands its arguments to the first here and ends with its answer.
  // [working directory] "Override WorkingDir" makes the launcher's folder current here.
  Result<ResolvedRuntime> runtime = ChooseRuntime(host.ui, host.registry, *settings, *executable);
  if (!runtime) return Failed(report, runtime.error());

  // Run.
  // [pair product] A runtime that needs the 32-bit companion is handed over to it here.
  return RunApplication(host, *settings, *executable, *runtime, arguments);
}
