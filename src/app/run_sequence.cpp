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

namespace {

constexpr int32_t kFailed = -1;

int32_t Failed(const ErrorReport& report, const LaunchError& error) {
  report(error);
  return kFailed;
}

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

// Run: the environment, the JVM library, the plan, and the JVM thread; the
// JVM is destroyed (waiting for the application's threads) before returning.
int32_t RunApplication(const Host& host, const ErrorReport& report, const LauncherSettings& settings,
                       const ExecutableLocation& executable, const ResolvedRuntime& runtime,
                       const WideStringList& arguments) {
  const WideString libraryPath =
      ApplyProcessEnvironment(settings.environment, runtime.jvmLibrary, runtime.home, executable.folder);
  // [splash] The splash shows here, unless "-nosplash" or "/nosplash" is given: before the JVM library loads.
  Result<JvmLibrary> library = JvmLibrary::Load(runtime.jvmLibrary);
  if (!library) return Failed(report, library.error());
  Result<LaunchPlan> plan =
      BuildLaunchPlan({settings.application, settings.classPath, settings.vmParameters, settings.output, executable,
                       arguments, libraryPath, &platform::QueryMemoryFigures});
  if (!plan) return Failed(report, plan.error());
  // Only a runtime registered by IBM needs its main thread kept after main;
  // merely accepting IBM runtimes ("VM Provider=any") must not keep others running.
  const bool ibmRuntime = runtime.vendor == Vendor::Ibm;
  JvmOutcome outcome = RunJvm({*library, *plan, HooksAroundMain(host.ui, settings.application), ibmRuntime});
  if (!outcome.ran) report(outcome.ran.error());
  // Clean-up, in this order: [splash] the splash closes; the JVM is destroyed.
  outcome.session.reset();
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
  return RunApplication(host, report, *settings, *executable, *runtime, arguments);
}
