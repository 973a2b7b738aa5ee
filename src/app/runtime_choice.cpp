#include "app/runtime_choice.h"

#include "app/jre_not_found_message.h"
#include "app/pinned_runtime.h"
#include "discovery/runtime_folder.h"
#include "discovery/runtime_resolution.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/runtime_layout.h"
#include "platform/threads.h"
#include "settings/jre_path_writer.h"

namespace {

// The runtime that the system's custom variable names, where it has one.
std::optional<WideString> EnvironmentHome() {
  const WideString variable = platform::kRuntimeHomeVariable;
  if (variable.empty()) return std::nullopt;
  std::optional<WideString> home = platform::GetEnvironmentValue(variable);
  if (!home || home->empty()) return std::nullopt;
  return home;
}

const char* AnswerName(RuntimeAnswer::Kind kind) {
  switch (kind) {
    case RuntimeAnswer::Kind::Chosen:
      return "chosen";
    case RuntimeAnswer::Kind::Install:
      return "install";
    case RuntimeAnswer::Kind::Cancelled:
      return "cancelled";
    case RuntimeAnswer::Kind::NotShown:
      break;
  }
  return "not-shown";
}

// The question, asked again after an install that failed or was cancelled:
// the link and Browse stay offered, and so does the install.
std::optional<ResolvedRuntime> AskTheUser(UserInterface& ui, const LauncherSettings& settings,
                                          const ExecutableLocation& executable, const WideString& installChoice,
                                          const PinnedRuntime& pinned, Trace& trace) {
  const JvmTypeMode mode = settings.runtime.jvmType;
  const RuntimeQuestion question{.message = BuildJreNotFoundMessage(settings.runtime),
                                 .check =
                                     [mode](const WideString& folder) {
                                       bool server = false;
                                       return LocateJvmLibrary(folder, mode, server);
                                     },
                                 .installChoice = installChoice};
  for (;;) {
    const RuntimeAnswer answer = ui.AskForRuntime(platform::ActiveWindow(), question);
    TraceLine line(trace, "question");
    line.Bytes("name", "JRE Not Found").Word("answer", AnswerName(answer.kind));
    if (answer.kind == RuntimeAnswer::Kind::Chosen) line.Text("folder", answer.folder);
    line.Write();
    if (answer.kind == RuntimeAnswer::Kind::Install) {
      if (auto installed = pinned.Install(ui, platform::ActiveWindow())) return installed;
      continue;
    }
    if (answer.kind != RuntimeAnswer::Kind::Chosen) return std::nullopt;
    ResolvedRuntime runtime = RuntimeChosenByUser(answer.jvmLibrary, !settings.product.pairProduct.empty());
    WriteJrePath(settings.product, executable, platform::WithTrailingSeparator(answer.folder));
    return runtime;
  }
}

std::function<WideStringList()> StoreOf(const PinnedRuntime& pinned) {
  if (!pinned.HasStore()) return nullptr;
  return [&pinned] { return pinned.StoredHomes(); };
}

void TraceRuntime(Trace& trace, const ResolvedRuntime& runtime) {
  TraceLine(trace, "jvm-library")
      .Text("path", runtime.jvmLibrary)
      .Bytes("origin", OriginName(runtime.origin))
      .Version("version", runtime.version)
      .Flag("server", runtime.server)
      .Flag("needs-companion", runtime.needsCompanion)
      .Write();
}

}  // namespace

Result<ResolvedRuntime> ChooseRuntime(UserInterface& ui, Registry& registry, const LauncherSettings& settings,
                                      const ExecutableLocation& executable, Trace& trace) {
  const PinnedRuntime pinned(settings, executable, trace);
  std::optional<ResolvedRuntime> runtime = ResolveRuntime(settings.runtime,
                                                          {.executableFolder = executable.folder,
                                                           .hasPairProduct = !settings.product.pairProduct.empty(),
                                                           .environmentHome = EnvironmentHome(),
                                                           .storedRuntimes = StoreOf(pinned)},
                                                          registry, trace);
  if (!runtime) {
    const InstallOffer offer = pinned.Offer(registry);
    if (offer == InstallOffer::Install) runtime = pinned.Install(ui, platform::ActiveWindow());
    if (!runtime) {
      runtime = AskTheUser(ui, settings, executable,
                           offer == InstallOffer::None ? WideString() : pinned.InstallChoice(), pinned, trace);
    }
  }
  if (!runtime) return LaunchError::Silent();
  // A relative "JRE Path" was found from the current folder; the library
  // search that loads it does not look there.
  runtime->jvmLibrary = platform::FixedToCurrentDirectory(runtime->jvmLibrary);
  runtime->home = platform::FixedToCurrentDirectory(runtime->home);
  TraceRuntime(trace, *runtime);
  return *runtime;
}
