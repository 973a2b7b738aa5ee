#include "discovery/runtime_resolution.h"

#include "discovery/candidate_ranking.h"
#include "discovery/candidate_verdict.h"
#include "discovery/library_machine.h"
#include "discovery/modern_registry_search.h"
#include "discovery/registry_search.h"
#include "discovery/runtime_folder.h"
#include "discovery/runtime_lead.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace launcher::discovery {

namespace {

// The runtime of a folder's JVM library, when the folder holds one.
std::optional<ResolvedRuntime> RuntimeIn(const WideString& folder, settings::JvmTypeMode mode, RuntimeOrigin origin) {
  ResolvedRuntime runtime;
  runtime.jvmLibrary = LocateJvmLibrary(folder, mode, runtime.server);
  if (runtime.jvmLibrary.empty()) return std::nullopt;
  runtime.home = RuntimeHomeOf(runtime.jvmLibrary);
  runtime.origin = origin;
  return runtime;
}

// A folder taken as it is, without bounds: the trace says whether it serves.
std::optional<ResolvedRuntime> FolderRuntime(const WideString& folder,
                                             const settings::RuntimeRequirements& requirements, RuntimeOrigin origin,
                                             Trace& trace) {
  std::optional<ResolvedRuntime> runtime = RuntimeIn(folder, requirements.jvmType, origin);
  TraceLine line(trace, "candidate");
  line.Bytes("source", OriginName(origin)).Text("home", folder);
  if (runtime) {
    line.Word("verdict", "accepted");
  } else {
    line.Word("verdict", "refused").Bytes("reason", NoJvmLibrary(requirements.jvmType));
  }
  line.Write();
  TraceSearch(trace, OriginName(origin), runtime ? 1 : 0);
  return runtime;
}

std::optional<ResolvedRuntime> FromSettingsFolder(const settings::RuntimeRequirements& requirements, bool hasCompanion,
                                                  Trace& trace) {
  if (requirements.jrePath.empty()) return std::nullopt;
  std::optional<ResolvedRuntime> runtime = FolderRuntime(platform::WithTrailingSeparator(requirements.jrePath),
                                                         requirements, RuntimeOrigin::SettingsFolder, trace);
  if (runtime) runtime->needsCompanion = hasCompanion && IsI386LibraryFile(runtime->jvmLibrary);
  return runtime;
}

std::optional<ResolvedRuntime> FromPrivateRuntime(const settings::RuntimeRequirements& requirements,
                                                  const WideString& executableFolder, Trace& trace) {
  const WideString folder = FindPrivateRuntime(executableFolder);
  if (folder.empty()) {
    TraceSearch(trace, OriginName(RuntimeOrigin::PrivateRuntime), 0);
    return std::nullopt;
  }
  return FolderRuntime(folder, requirements, RuntimeOrigin::PrivateRuntime, trace);
}

// The runtime of the candidate that the ranking chooses; its library is looked
// for again with the launcher's own mode.
std::optional<ResolvedRuntime> ChooseCandidate(JvmCandidateList& candidates,
                                               const settings::RuntimeRequirements& requirements, RuntimeOrigin origin,
                                               Trace& trace) {
  const JvmCandidate& chosen = SelectCandidate(candidates, requirements, trace);
  std::optional<ResolvedRuntime> runtime = RuntimeIn(chosen.home, requirements.jvmType, origin);
  if (!runtime) return std::nullopt;
  runtime->version = chosen.version;
  if (origin == RuntimeOrigin::Registry || origin == RuntimeOrigin::Registry32) runtime->vendor = chosen.vendor;
  runtime->needsCompanion = origin == RuntimeOrigin::Registry32;
  return runtime;
}

// The candidates of one search, chosen among when there are any.
std::optional<ResolvedRuntime> ChooseAmong(JvmCandidateList candidates,
                                           const settings::RuntimeRequirements& requirements, RuntimeOrigin origin,
                                           Trace& trace) {
  TraceSearch(trace, OriginName(origin), candidates.size());
  if (candidates.empty()) return std::nullopt;
  return ChooseCandidate(candidates, requirements, origin, trace);
}

// The ordinary registry view decides when it has any candidate; only when it
// has none does the 32-bit view for the companion get a say.
std::optional<ResolvedRuntime> FromRegistry(const settings::RuntimeRequirements& requirements,
                                            platform::Registry& registry, bool hasCompanion, Trace& trace) {
  JvmCandidateList candidates = FindRegistryRuntimes(requirements, registry, false, trace);
  if (!candidates.empty() || !hasCompanion) {
    return ChooseAmong(std::move(candidates), requirements, RuntimeOrigin::Registry, trace);
  }
  TraceSearch(trace, OriginName(RuntimeOrigin::Registry), 0);
  return ChooseAmong(FindRegistryRuntimes(requirements, registry, true, trace), requirements, RuntimeOrigin::Registry32,
                     trace);
}

// Folders that name themselves (their "release" file tells the version),
// judged like registered ones and chosen among by the same ranking.
std::optional<ResolvedRuntime> FromUnregisteredFolders(const WideStringList& folders,
                                                       const settings::RuntimeRequirements& requirements,
                                                       RuntimeOrigin origin, Trace& trace) {
  JvmCandidateList candidates;
  for (const WideString& folder : folders) {
    RuntimeLead lead;
    lead.source = platform::FromUtf8(OriginName(origin));
    lead.folder = folder;
    lead.registered = false;
    if (std::optional<JvmCandidate> candidate = JudgeLead(lead, requirements, trace)) candidates.push_back(*candidate);
  }
  return ChooseAmong(std::move(candidates), requirements, origin, trace);
}

// The publisher pinned the store's runtimes: only the bounds and "JVM Type"
// judge them, not the kinds and vendors the registry search is limited to.
std::optional<ResolvedRuntime> FromRuntimeStore(const WideStringList& homes, settings::RuntimeRequirements requirements,
                                                Trace& trace) {
  requirements.source = settings::SourcePolicy::Either;
  requirements.vendor = settings::VendorPolicy::Any;
  return FromUnregisteredFolders(homes, requirements, RuntimeOrigin::RuntimeStore, trace);
}

// Nothing installed qualified. With "Maximum Version" absent that is the rule,
// not bad luck, and the trace says so in words.
void ExplainNoneQualified(const settings::RuntimeRequirements& requirements, Trace& trace) {
  if (requirements.maximum.runCount != 0) return;
  TraceLine(trace, "note")
      .Sentence(
          "\"Maximum Version\" is absent (or holds no version), so the upper bound is 0.0.0.0 and no installed "
          "runtime can qualify; set \"Maximum Version=any\", or the newest version the application supports, in "
          "[Java Runtime Environment].")
      .Write();
}

}  // namespace

const char* OriginName(RuntimeOrigin origin) {
  switch (origin) {
    case RuntimeOrigin::SettingsFolder:
      return "JRE Path";
    case RuntimeOrigin::PrivateRuntime:
      return "private runtime";
    case RuntimeOrigin::Registry:
      return "registry";
    case RuntimeOrigin::Registry32:
      return "registry 32-bit view";
    case RuntimeOrigin::ModernRegistry:
      return "current installers' registry keys";
    case RuntimeOrigin::EnvironmentHome:
      return "JAVA_HOME";
    case RuntimeOrigin::RuntimeStore:
      return "runtime store";
    case RuntimeOrigin::UserChoice:
      break;
  }
  return "user's choice";
}

std::optional<ResolvedRuntime> ResolveRuntime(const settings::RuntimeRequirements& requirements,
                                              const RuntimePlaces& places, platform::Registry& registry, Trace& trace) {
  if (auto runtime = FromSettingsFolder(requirements, places.hasCompanion, trace)) return runtime;
  if (auto runtime = FromPrivateRuntime(requirements, places.executableFolder, trace)) return runtime;
  if (auto runtime = FromRegistry(requirements, registry, places.hasCompanion, trace)) return runtime;
  if (auto runtime = ChooseAmong(FindModernRegistryRuntimes(requirements, registry, trace), requirements,
                                 RuntimeOrigin::ModernRegistry, trace)) {
    return runtime;
  }
  if (places.environmentHome) {
    if (auto runtime =
            FromUnregisteredFolders({*places.environmentHome}, requirements, RuntimeOrigin::EnvironmentHome, trace)) {
      return runtime;
    }
  }
  if (places.storedRuntimes) {
    if (auto runtime = FromRuntimeStore(places.storedRuntimes(), requirements, trace)) {
      return runtime;
    }
  }
  ExplainNoneQualified(requirements, trace);
  return std::nullopt;
}

std::optional<ResolvedRuntime> ResolveStoredRuntime(const WideString& home,
                                                    const settings::RuntimeRequirements& requirements, Trace& trace) {
  return FromRuntimeStore({home}, requirements, trace);
}

ResolvedRuntime RuntimeChosenByUser(const WideString& jvmLibrary, bool hasCompanion) {
  ResolvedRuntime runtime;
  runtime.jvmLibrary = jvmLibrary;
  runtime.home = RuntimeHomeOf(jvmLibrary);
  runtime.origin = RuntimeOrigin::UserChoice;
  runtime.needsCompanion = hasCompanion && IsI386LibraryFile(jvmLibrary);
  return runtime;
}

}  // namespace launcher::discovery
