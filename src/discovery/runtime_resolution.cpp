#include "discovery/runtime_resolution.h"

#include "discovery/candidate_ranking.h"
#include "discovery/library_machine.h"
#include "discovery/registry_search.h"
#include "discovery/runtime_folder.h"
#include "platform/path_parts.h"

namespace {

// The runtime of a folder's JVM library, when the folder holds one.
std::optional<ResolvedRuntime> RuntimeIn(const WideString& folder, JvmTypeMode mode, RuntimeOrigin origin) {
  ResolvedRuntime runtime;
  runtime.jvmLibrary = LocateJvmLibrary(folder, mode, runtime.server);
  if (runtime.jvmLibrary.empty()) return std::nullopt;
  runtime.home = RuntimeHomeOf(runtime.jvmLibrary);
  runtime.origin = origin;
  return runtime;
}

std::optional<ResolvedRuntime> FromSettingsFolder(const RuntimeRequirements& requirements, bool hasPairProduct) {
  if (requirements.jrePath.empty()) return std::nullopt;
  std::optional<ResolvedRuntime> runtime = RuntimeIn(platform::WithTrailingSeparator(requirements.jrePath),
                                                     requirements.jvmType, RuntimeOrigin::SettingsFolder);
  if (runtime) runtime->needsCompanion = hasPairProduct && IsI386LibraryFile(runtime->jvmLibrary);
  return runtime;
}

std::optional<ResolvedRuntime> FromPrivateRuntime(const RuntimeRequirements& requirements,
                                                  const WideString& executableFolder) {
  const WideString folder = FindPrivateRuntime(executableFolder);
  if (folder.empty()) return std::nullopt;
  return RuntimeIn(folder, requirements.jvmType, RuntimeOrigin::PrivateRuntime);
}

// The runtime of the candidate that the ranking chooses; its library is looked
// for again with the launcher's own mode.
std::optional<ResolvedRuntime> ChooseCandidate(JvmCandidateList& candidates, const RuntimeRequirements& requirements,
                                               bool view32) {
  const JvmCandidate& chosen = SelectCandidate(candidates, requirements);
  std::optional<ResolvedRuntime> runtime =
      RuntimeIn(chosen.home, requirements.jvmType, view32 ? RuntimeOrigin::Registry32 : RuntimeOrigin::Registry);
  if (!runtime) return std::nullopt;
  runtime->version = chosen.version;
  runtime->vendor = chosen.vendor;
  runtime->needsCompanion = view32;
  return runtime;
}

// The ordinary registry view decides when it has any candidate; only when it
// has none does the 32-bit view for the pair product get a say.
std::optional<ResolvedRuntime> FromRegistry(const RuntimeRequirements& requirements, Registry& registry,
                                            bool hasPairProduct) {
  JvmCandidateList candidates = FindRegistryRuntimes(requirements, registry, false);
  if (!candidates.empty()) return ChooseCandidate(candidates, requirements, false);
  if (!hasPairProduct) return std::nullopt;
  candidates = FindRegistryRuntimes(requirements, registry, true);
  if (candidates.empty()) return std::nullopt;
  return ChooseCandidate(candidates, requirements, true);
}

}  // namespace

std::optional<ResolvedRuntime> ResolveRuntime(const RuntimeRequirements& requirements,
                                              const WideString& executableFolder, Registry& registry,
                                              bool hasPairProduct) {
  if (auto runtime = FromSettingsFolder(requirements, hasPairProduct)) return runtime;
  if (auto runtime = FromPrivateRuntime(requirements, executableFolder)) return runtime;
  return FromRegistry(requirements, registry, hasPairProduct);
}

ResolvedRuntime RuntimeChosenByUser(const WideString& jvmLibrary, bool hasPairProduct) {
  ResolvedRuntime runtime;
  runtime.jvmLibrary = jvmLibrary;
  runtime.home = RuntimeHomeOf(jvmLibrary);
  runtime.origin = RuntimeOrigin::UserChoice;
  runtime.needsCompanion = hasPairProduct && IsI386LibraryFile(jvmLibrary);
  return runtime;
}
