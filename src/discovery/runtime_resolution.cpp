#include "discovery/runtime_resolution.h"

#include "discovery/candidate_ranking.h"
#include "discovery/jre_not_found_message.h"
#include "discovery/library_machine.h"
#include "discovery/registry_search.h"
#include "discovery/runtime_folder.h"
#include "launcher/jre_path_writer.h"
#include "launcher/launcher.h"
#include "launcher/text.h"
#include "platform/last_error.h"
#include "platform/window_focus.h"

namespace {

bool UseLibraryOf(Launcher& launcher, const WideString& folder) {
  bool server = false;
  launcher.jvmLibraryPath = LocateJvmLibrary(folder, launcher.jvmTypeMode, server);
  return !launcher.jvmLibraryPath.empty();
}

bool FromSettingsFolder(Launcher& launcher) {
  if (launcher.jrePathSetting.empty()) return false;
  if (!UseLibraryOf(launcher, WithTrailingSeparator(launcher.jrePathSetting))) return false;
  CheckJvmLibraryMachine(launcher);
  return true;
}

bool FromPrivateRuntime(Launcher& launcher) {
  WideString folder;
  return FindPrivateRuntime(launcher, folder) && !folder.empty() && UseLibraryOf(launcher, folder);
}

// The registry, then its 32-bit view for the pair product; the home folder of the
// chosen candidate, or "".
WideString FromRegistry(Launcher& launcher) {
  WideString home;
  if (SearchRegistry(launcher, home, launcher.chosenVersion)) return home;
  if (launcher.pairProduct.empty()) return {};
  JvmCandidateList candidates = FindRegistryRuntimes(launcher, true);
  if (candidates.empty()) return {};
  SelectCandidate(candidates, launcher, launcher.chosenVersion, home);
  launcher.relaunchPairProduct = true;
  return home;
}

bool AskTheUser(Launcher& launcher) {
  RuntimeChoice choice = launcher.host.ui.AskForRuntime(platform::ActiveWindow(), BuildJreNotFoundMessage(launcher),
                                                        launcher.jvmTypeMode);
  if (choice.result == kDialogNotShown) platform::SetLastError(platform::kErrorOutOfMemory);
  if (choice.result != kDialogOk) return false;
  launcher.jvmLibraryPath = choice.jvmLibraryPath;
  CheckJvmLibraryMachine(launcher);
  WriteJrePath(launcher, WithTrailingSeparator(choice.folder));
  return true;
}

}  // namespace

bool ResolveRuntime(Launcher& launcher) {
  if (FromSettingsFolder(launcher) || FromPrivateRuntime(launcher)) return true;
  WideString home = FromRegistry(launcher);
  if (!home.empty() && UseLibraryOf(launcher, home)) return true;
  return AskTheUser(launcher);
}
