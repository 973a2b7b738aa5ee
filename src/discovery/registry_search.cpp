#include "discovery/registry_search.h"

#include "discovery/runtime_folder.h"
#include "platform/path_parts.h"
#include "platform/runtime_layout.h"

namespace {

// One vendor key of the registry: its path, the kind of runtime and the vendor
// it registers. Searched in this order.
struct VendorKey {
  const wchar_t* path;
  RuntimeKind kind;
  Vendor vendor;
};

constexpr VendorKey kVendorKeys[] = {
    {L"Software\\JavaSoft\\Java Development Kit\\", RuntimeKind::Jdk, Vendor::Sun},
    {L"Software\\JavaSoft\\Java Runtime Environment\\", RuntimeKind::Jre, Vendor::Sun},
    {L"Software\\JRockit\\Java Runtime Environment\\", RuntimeKind::Jre, Vendor::JRockit},
    {L"Software\\JRockit\\Java Development Kit\\", RuntimeKind::Jdk, Vendor::JRockit},
    {L"Software\\IBM\\Java2 Runtime Environment\\", RuntimeKind::Jre, Vendor::Ibm},
};

bool IsSearched(const VendorKey& key, const RuntimeRequirements& requirements) {
  return Searches(requirements.source, key.kind) && Accepts(requirements.vendor, key.vendor);
}

bool PrefersCandidatesOf(const VendorKey& key, const RuntimeRequirements& requirements) {
  return Wants(requirements.source, key.kind) && Favours(requirements.vendor, key.vendor);
}

WideStringList SubkeyNames(Registry& registry, const WideString& vendorKey, bool view32) {
  WideStringList names;
  std::unique_ptr<RegistryKey> key = registry.OpenMachineKey(vendorKey, view32);
  if (!key) return names;
  for (uint32_t index = 0;; ++index) {
    std::optional<WideString> name = key->SubkeyName(index);
    if (!name) break;
    names.push_back(*name);
  }
  return names;
}

// The runtime home of one version subkey ("JavaHome", with the JDK's runtime
// folder for a JDK) and whether its JVM library is the server one.
bool ReadRuntimeHome(Registry& registry, const VendorKey& vendorKey, const WideString& name, JvmTypeMode mode,
                     bool view32, JvmCandidate& candidate) {
  std::unique_ptr<RegistryKey> key = registry.OpenMachineKey(vendorKey.path + name, view32);
  if (!key) return false;
  std::optional<WideString> javaHome = key->TextValue(L"JavaHome");
  if (!javaHome || javaHome->empty()) return false;
  WideString folder = platform::WithTrailingSeparator(*javaHome);
  if (vendorKey.kind == RuntimeKind::Jdk) folder += platform::kJdkRuntimeFolder;
  // The JavaSoft JRE registrations take no server preference: their client library comes first.
  if (vendorKey.kind == RuntimeKind::Jre && vendorKey.vendor == Vendor::Sun && mode == JvmTypeMode::FavorServer) {
    mode = JvmTypeMode::Default;
  }
  if (LocateJvmLibrary(folder, mode, candidate.server).empty()) return false;
  candidate.home = folder;
  return true;
}

void SearchRuntimeKey(const RuntimeRequirements& requirements, Registry& registry, const VendorKey& vendorKey,
                      bool view32, JvmCandidateList& candidates) {
  for (const WideString& name : SubkeyNames(registry, vendorKey.path, view32)) {
    JvmCandidate candidate;
    candidate.version.Parse(name, JavaVersion::kLowFill);
    if (Compare(candidate.version, requirements.maximum) > 0 || Compare(candidate.version, requirements.minimum) < 0) {
      continue;
    }
    if (!ReadRuntimeHome(registry, vendorKey, name, requirements.jvmType, view32, candidate)) continue;
    candidate.preferred = PrefersCandidatesOf(vendorKey, requirements);
    candidate.vendor = vendorKey.vendor;
    candidates.push_back(candidate);
  }
}

}  // namespace

JvmCandidateList FindRegistryRuntimes(const RuntimeRequirements& requirements, Registry& registry, bool view32) {
  JvmCandidateList candidates;
  for (const VendorKey& key : kVendorKeys) {
    if (IsSearched(key, requirements)) SearchRuntimeKey(requirements, registry, key, view32, candidates);
  }
  return candidates;
}
