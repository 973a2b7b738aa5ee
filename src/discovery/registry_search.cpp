#include "discovery/registry_search.h"

#include "discovery/candidate_verdict.h"
#include "discovery/runtime_folder.h"
#include "platform/paths.h"
#include "platform/runtime_layout.h"

namespace launcher::discovery {

namespace {

// One vendor key of the registry: its path, the kind of runtime and the vendor
// it registers. Searched in this order.
struct VendorKey {
  const wchar_t* path;
  settings::RuntimeKind kind;
  settings::Vendor vendor;
};

constexpr VendorKey kVendorKeys[] = {
    {L"Software\\JavaSoft\\Java Development Kit\\", settings::RuntimeKind::Jdk, settings::Vendor::Sun},
    {L"Software\\JavaSoft\\Java Runtime Environment\\", settings::RuntimeKind::Jre, settings::Vendor::Sun},
    {L"Software\\JRockit\\Java Runtime Environment\\", settings::RuntimeKind::Jre, settings::Vendor::JRockit},
    {L"Software\\JRockit\\Java Development Kit\\", settings::RuntimeKind::Jdk, settings::Vendor::JRockit},
    {L"Software\\IBM\\Java2 Runtime Environment\\", settings::RuntimeKind::Jre, settings::Vendor::Ibm},
};

bool IsSearched(const VendorKey& key, const settings::RuntimeRequirements& requirements) {
  return settings::Searches(requirements.source, key.kind) && settings::Accepts(requirements.vendor, key.vendor);
}

bool PrefersCandidatesOf(const VendorKey& key, const settings::RuntimeRequirements& requirements) {
  return settings::Wants(requirements.source, key.kind) && settings::Favours(requirements.vendor, key.vendor);
}

WideStringList SubkeyNames(platform::Registry& registry, const WideString& vendorKey, bool view32) {
  WideStringList names;
  std::unique_ptr<platform::RegistryKey> key = registry.OpenMachineKey(vendorKey, view32);
  if (!key) return names;
  for (uint32_t index = 0;; ++index) {
    std::optional<WideString> name = key->SubkeyName(index);
    if (!name) break;
    names.push_back(*name);
  }
  return names;
}

// The runtime home of one version subkey ("JavaHome", with the JDK's runtime
// folder for a JDK) and whether its JVM library is the server one; else why
// the subkey gives no candidate.
std::optional<std::string> ReadRuntimeHome(platform::Registry& registry, const VendorKey& vendorKey,
                                           const WideString& name, settings::JvmTypeMode mode, bool view32,
                                           JvmCandidate& candidate) {
  std::unique_ptr<platform::RegistryKey> key = registry.OpenMachineKey(vendorKey.path + name, view32);
  if (!key) return "the key does not open";
  std::optional<WideString> javaHome = key->TextValue(L"JavaHome");
  if (!javaHome || javaHome->empty()) return "no \"JavaHome\" value";
  WideString folder = platform::WithTrailingSeparator(*javaHome);
  if (!FolderExists(folder)) return "stale registry key: its \"JavaHome\" folder is gone";
  if (vendorKey.kind == settings::RuntimeKind::Jdk) folder += platform::kJdkRuntimeFolder;
  // The JavaSoft JRE registrations take no server preference: their client library comes first.
  if (vendorKey.kind == settings::RuntimeKind::Jre && vendorKey.vendor == settings::Vendor::Sun &&
      mode == settings::JvmTypeMode::FavorServer) {
    mode = settings::JvmTypeMode::Default;
  }
  if (LocateJvmLibrary(folder, mode, candidate.server).empty()) return NoJvmLibrary(mode);
  candidate.home = folder;
  return std::nullopt;
}

WideString SourceOf(const VendorKey& vendorKey, const WideString& name, bool view32) {
  return WideString(L"HKLM\\") + vendorKey.path + name + (view32 ? L" (32-bit view)" : L"");
}

void SearchRuntimeKey(const settings::RuntimeRequirements& requirements, platform::Registry& registry,
                      const VendorKey& vendorKey, bool view32, JvmCandidateList& candidates, Trace& trace) {
  for (const WideString& name : SubkeyNames(registry, vendorKey.path, view32)) {
    JvmCandidate candidate;
    candidate.source = SourceOf(vendorKey, name, view32);
    candidate.version.Parse(name, JavaVersion::kLowFill);
    if (std::optional<std::string> outside = OutsideBounds(candidate.version, requirements)) {
      TraceRefused(trace, candidate.source, *outside);
      continue;
    }
    if (auto refused = ReadRuntimeHome(registry, vendorKey, name, requirements.jvmType, view32, candidate)) {
      TraceRefused(trace, candidate.source, *refused);
      continue;
    }
    candidate.preferred = PrefersCandidatesOf(vendorKey, requirements);
    candidate.vendor = vendorKey.vendor;
    candidate.kind = vendorKey.kind;
    TraceAccepted(trace, candidate);
    candidates.push_back(candidate);
  }
}

}  // namespace

JvmCandidateList FindRegistryRuntimes(const settings::RuntimeRequirements& requirements, platform::Registry& registry,
                                      bool view32, Trace& trace) {
  JvmCandidateList candidates;
  for (const VendorKey& key : kVendorKeys) {
    if (IsSearched(key, requirements)) SearchRuntimeKey(requirements, registry, key, view32, candidates, trace);
  }
  return candidates;
}

}  // namespace launcher::discovery
