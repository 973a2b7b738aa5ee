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

namespace launcher::app {

namespace {

// The runtime that the system's custom variable names, where it has one.
std::optional<WideString> EnvironmentHome() {
  const WideString variable = platform::kRuntimeHomeVariable;
  if (variable.empty()) return std::nullopt;
  std::optional<WideString> home = platform::GetEnvironmentValue(variable);
  if (!home || home->empty()) return std::nullopt;
  return home;
}

const char* AnswerName(ui::RuntimeAnswer::Kind kind) {
  switch (kind) {
    case ui::RuntimeAnswer::Kind::Chosen:
      return "chosen";
    case ui::RuntimeAnswer::Kind::Install:
      return "install";
    case ui::RuntimeAnswer::Kind::Cancelled:
      return "cancelled";
    case ui::RuntimeAnswer::Kind::NotShown:
      break;
  }
  return "not-shown";
}

// The question, asked again after an install that failed or was cancelled:
// the link and Browse stay offered, and so does the install.
std::optional<discovery::ResolvedRuntime> AskTheUser(ui::UserInterface& ui, const settings::LauncherSettings& settings,
                                                     const ExecutableLocation& executable,
                                                     const WideString& installChoice, const PinnedRuntime& pinned,
                                                     Trace& trace) {
  const settings::JvmTypeMode mode = settings.runtime.jvmType;
  const ui::RuntimeQuestion question{.message = BuildJreNotFoundMessage(settings.runtime),
                                     .check =
                                         [mode](const WideString& folder) {
                                           bool server = false;
                                           return discovery::LocateJvmLibrary(folder, mode, server);
                                         },
                                     .installChoice = installChoice};
  for (;;) {
    const ui::RuntimeAnswer answer = ui.AskForRuntime(platform::ActiveWindow(), question);
    TraceLine line(trace, "question");
    line.Bytes("name", "JRE Not Found").Word("answer", AnswerName(answer.kind));
    if (answer.kind == ui::RuntimeAnswer::Kind::Chosen) line.Text("folder", answer.folder);
    line.Write();
    if (answer.kind == ui::RuntimeAnswer::Kind::Install) {
      if (auto installed = pinned.Install(ui, platform::ActiveWindow())) return installed;
      continue;
    }
    if (answer.kind != ui::RuntimeAnswer::Kind::Chosen) return std::nullopt;
    discovery::ResolvedRuntime runtime =
        discovery::RuntimeChosenByUser(answer.jvmLibrary, !settings.product.pairProduct.empty());
    settings::WriteJrePath(settings.product, executable, platform::WithTrailingSeparator(answer.folder));
    return runtime;
  }
}

std::function<WideStringList()> StoreOf(const PinnedRuntime& pinned) {
  if (!pinned.HasStore()) return nullptr;
  return [&pinned] { return pinned.StoredHomes(); };
}

void TraceRuntime(Trace& trace, const discovery::ResolvedRuntime& runtime) {
  TraceLine(trace, "jvm-library")
      .Text("path", runtime.jvmLibrary)
      .Bytes("origin", discovery::OriginName(runtime.origin))
      .Version("version", runtime.version)
      .Flag("server", runtime.server)
      .Flag("needs-companion", runtime.needsCompanion)
      .Write();
}

}  // namespace

Result<discovery::ResolvedRuntime> ChooseRuntime(ui::UserInterface& ui, platform::Registry& registry,
                                                 const settings::LauncherSettings& settings,
                                                 const ExecutableLocation& executable, Trace& trace) {
  const PinnedRuntime pinned(settings, executable, trace);
  std::optional<discovery::ResolvedRuntime> runtime =
      discovery::ResolveRuntime(settings.runtime,
                                {.executableFolder = executable.folder,
                                 .hasCompanion = !settings.product.pairProduct.empty(),
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
  runtime->jvmLibrary = platform::FixedToCurrentFolder(runtime->jvmLibrary);
  runtime->home = platform::FixedToCurrentFolder(runtime->home);
  TraceRuntime(trace, *runtime);
  return *runtime;
}

}  // namespace launcher::app
