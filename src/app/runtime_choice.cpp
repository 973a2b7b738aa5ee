#include "app/runtime_choice.h"

#include "app/jre_not_found_message.h"
#include "discovery/runtime_folder.h"
#include "discovery/runtime_resolution.h"
#include "platform/path_parts.h"
#include "platform/window_focus.h"
#include "settings/jre_path_writer.h"

namespace {

std::optional<ResolvedRuntime> AskTheUser(UserInterface& ui, const LauncherSettings& settings,
                                          const ExecutableLocation& executable) {
  const JvmTypeMode mode = settings.runtime.jvmType;
  const FolderCheck check = [mode](const WideString& folder) {
    bool server = false;
    return LocateJvmLibrary(folder, mode, server);
  };
  const RuntimeAnswer answer =
      ui.AskForRuntime(platform::ActiveWindow(), BuildJreNotFoundMessage(settings.runtime), check);
  if (answer.kind != RuntimeAnswer::Kind::Chosen) return std::nullopt;
  ResolvedRuntime runtime = RuntimeChosenByUser(answer.jvmLibrary, !settings.product.pairProduct.empty());
  WriteJrePath(settings.product, executable, platform::WithTrailingSeparator(answer.folder));
  return runtime;
}

}  // namespace

Result<ResolvedRuntime> ChooseRuntime(UserInterface& ui, Registry& registry, const LauncherSettings& settings,
                                      const ExecutableLocation& executable) {
  const bool hasPairProduct = !settings.product.pairProduct.empty();
  if (auto found = ResolveRuntime(settings.runtime, executable.folder, registry, hasPairProduct)) return *found;
  if (auto chosen = AskTheUser(ui, settings, executable)) return *chosen;
  return LaunchError::Silent();
}
