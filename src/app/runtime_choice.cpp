#include "app/runtime_choice.h"

#include "app/jre_not_found_message.h"
#include "discovery/runtime_folder.h"
#include "discovery/runtime_resolution.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/path_parts.h"
#include "platform/runtime_layout.h"
#include "platform/window_focus.h"
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
    case RuntimeAnswer::Kind::Cancelled:
      return "cancelled";
    case RuntimeAnswer::Kind::NotShown:
      break;
  }
  return "not-shown";
}

std::optional<ResolvedRuntime> AskTheUser(UserInterface& ui, const RuntimeRequirements& requirements,
                                          const ProductSettings& product, const ExecutableLocation& executable,
                                          Trace& trace) {
  const JvmTypeMode mode = requirements.jvmType;
  const FolderCheck check = [mode](const WideString& folder) {
    bool server = false;
    return LocateJvmLibrary(folder, mode, server);
  };
  const RuntimeAnswer answer = ui.AskForRuntime(platform::ActiveWindow(), BuildJreNotFoundMessage(requirements), check);
  TraceLine line(trace, "question");
  line.Bytes("name", "JRE Not Found").Word("answer", AnswerName(answer.kind));
  if (answer.kind == RuntimeAnswer::Kind::Chosen) line.Text("folder", answer.folder);
  line.Write();
  if (answer.kind != RuntimeAnswer::Kind::Chosen) return std::nullopt;
  ResolvedRuntime runtime = RuntimeChosenByUser(answer.jvmLibrary, !product.pairProduct.empty());
  WriteJrePath(product, executable, platform::WithTrailingSeparator(answer.folder));
  return runtime;
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

Result<ResolvedRuntime> ChooseRuntime(UserInterface& ui, Registry& registry, const RuntimeRequirements& requirements,
                                      const ProductSettings& product, const ExecutableLocation& executable,
                                      Trace& trace) {
  const bool hasCompanion = !product.pairProduct.empty();
  std::optional<ResolvedRuntime> runtime =
      ResolveRuntime(requirements, executable.folder, registry, hasCompanion, EnvironmentHome(), trace);
  if (!runtime) runtime = AskTheUser(ui, requirements, product, executable, trace);
  if (!runtime) return LaunchError::Silent();
  // A relative "JRE Path" was found from the current folder; the library
  // search that loads it does not look there.
  runtime->jvmLibrary = platform::FixedToCurrentDirectory(runtime->jvmLibrary);
  runtime->home = platform::FixedToCurrentDirectory(runtime->home);
  TraceRuntime(trace, *runtime);
  return *runtime;
}
