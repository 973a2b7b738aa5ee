#include "discovery/modern_registry_search.h"

#include <optional>

#include "discovery/runtime_lead.h"

namespace launcher::discovery {

namespace {

// A family of registrations: one subkey per version (or per name) under path;
// the folder is the value homeValue of that subkey, or of its "<vmFolder>\MSI"
// subkey for the installers that register a build per VM. A family without a
// kind of its own (the named ones) lets the runtime's folder tell.
struct KeyFamily {
  const wchar_t* path;
  std::optional<settings::RuntimeKind> kind;
  settings::Vendor vendor;  // HotSpot builds count as Sun's, OpenJ9 builds as IBM's
  const wchar_t* vmFolder;  // nullptr: the value is on the version subkey itself
  const wchar_t* homeValue;
};

constexpr settings::RuntimeKind kJdk = settings::RuntimeKind::Jdk;
constexpr settings::RuntimeKind kJre = settings::RuntimeKind::Jre;

const KeyFamily kFamilies[] = {
    {L"Software\\JavaSoft\\JDK\\", kJdk, settings::Vendor::Sun, nullptr, L"JavaHome"},
    {L"Software\\JavaSoft\\JRE\\", kJre, settings::Vendor::Sun, nullptr, L"JavaHome"},
    {L"Software\\Eclipse Adoptium\\JDK\\", kJdk, settings::Vendor::Sun, L"hotspot", L"Path"},
    {L"Software\\Eclipse Adoptium\\JRE\\", kJre, settings::Vendor::Sun, L"hotspot", L"Path"},
    {L"Software\\Eclipse Foundation\\JDK\\", kJdk, settings::Vendor::Sun, L"hotspot", L"Path"},
    {L"Software\\Eclipse Foundation\\JRE\\", kJre, settings::Vendor::Sun, L"hotspot", L"Path"},
    {L"Software\\AdoptOpenJDK\\JDK\\", kJdk, settings::Vendor::Sun, L"hotspot", L"Path"},
    {L"Software\\AdoptOpenJDK\\JDK\\", kJdk, settings::Vendor::Ibm, L"openj9", L"Path"},
    {L"Software\\AdoptOpenJDK\\JRE\\", kJre, settings::Vendor::Sun, L"hotspot", L"Path"},
    {L"Software\\AdoptOpenJDK\\JRE\\", kJre, settings::Vendor::Ibm, L"openj9", L"Path"},
    {L"Software\\Microsoft\\JDK\\", kJdk, settings::Vendor::Sun, L"hotspot", L"Path"},
    {L"Software\\Semeru\\JDK\\", kJdk, settings::Vendor::Ibm, L"openj9", L"Path"},
    {L"Software\\Semeru\\JRE\\", kJre, settings::Vendor::Ibm, L"openj9", L"Path"},
    {L"Software\\Azul Systems\\Zulu\\", std::nullopt, settings::Vendor::Sun, nullptr, L"InstallationPath"},
    {L"Software\\BellSoft\\Liberica\\", std::nullopt, settings::Vendor::Sun, nullptr, L"InstallationPath"},
};

// Whether any runtime of the family could be searched for; the named
// families, whose kind only the folder tells, are judged one by one.
bool MaySearch(const KeyFamily& family, const settings::RuntimeRequirements& requirements) {
  if (!settings::Accepts(requirements.vendor, family.vendor)) return false;
  if (family.kind) return settings::Searches(requirements.source, *family.kind);
  return settings::Searches(requirements.source, settings::RuntimeKind::Jdk) ||
         settings::Searches(requirements.source, settings::RuntimeKind::Jre);
}

WideStringList SubkeyNames(platform::RegistryKey& key) {
  WideStringList names;
  for (uint32_t index = 0;; ++index) {
    std::optional<WideString> name = key.SubkeyName(index);
    if (!name) return names;
    names.push_back(*name);
  }
}

// A subkey named by a version ("17", "17.0.2.8") carries it; a name such as
// "zulu-17" leaves the version to the runtime's "release" file.
std::optional<JavaVersion> VersionOfName(const WideString& name) {
  JavaVersion version;
  if (name.empty() || name[0] < L'0' || name[0] > L'9' || !version.Parse(name, JavaVersion::kLowFill)) {
    return std::nullopt;
  }
  return version;
}

// The registration of one subkey, when it has one for the family's VM.
std::optional<RuntimeLead> LeadOf(platform::Registry& registry, platform::RegistryHive hive, const KeyFamily& family,
                                  const WideString& name) {
  WideString path = family.path + name;
  if (family.vmFolder) path += WideString(L"\\") + family.vmFolder + L"\\MSI";
  std::unique_ptr<platform::RegistryKey> key = registry.OpenKey(hive, path, false);
  if (!key) return std::nullopt;  // no build of this VM under that version
  RuntimeLead lead;
  lead.source = (hive == platform::RegistryHive::CurrentUser ? L"HKCU\\" : L"HKLM\\") + path;
  lead.folder = key->TextValue(family.homeValue).value_or(L"");
  lead.kind = family.kind;
  lead.vendor = family.vendor;
  lead.version = VersionOfName(name);
  return lead;
}

void SearchFamily(const settings::RuntimeRequirements& requirements, platform::Registry& registry,
                  platform::RegistryHive hive, const KeyFamily& family, JvmCandidateList& candidates, Trace& trace) {
  std::unique_ptr<platform::RegistryKey> familyKey = registry.OpenKey(hive, family.path, false);
  if (!familyKey) return;
  for (const WideString& name : SubkeyNames(*familyKey)) {
    std::optional<RuntimeLead> lead = LeadOf(registry, hive, family, name);
    if (!lead) continue;
    if (std::optional<JvmCandidate> candidate = JudgeLead(*lead, requirements, trace)) {
      candidates.push_back(*candidate);
    }
  }
}

}  // namespace

JvmCandidateList FindModernRegistryRuntimes(const settings::RuntimeRequirements& requirements,
                                            platform::Registry& registry, Trace& trace) {
  JvmCandidateList candidates;
  for (platform::RegistryHive hive : {platform::RegistryHive::LocalMachine, platform::RegistryHive::CurrentUser}) {
    for (const KeyFamily& family : kFamilies) {
      if (MaySearch(family, requirements)) SearchFamily(requirements, registry, hive, family, candidates, trace);
    }
  }
  return candidates;
}

}  // namespace launcher::discovery
