#include "discovery/registry_search.h"

#include "discovery/candidate_ranking.h"
#include "discovery/runtime_folder.h"
#include "launcher/launcher.h"
#include "launcher/text.h"
#include "platform/runtime_layout.h"

namespace {

const WideString kJavaSoftJdk = L"Software\\JavaSoft\\Java Development Kit\\";
const WideString kJavaSoftJre = L"Software\\JavaSoft\\Java Runtime Environment\\";
const WideString kJRockitJre = L"Software\\JRockit\\Java Runtime Environment\\";
const WideString kJRockitJdk = L"Software\\JRockit\\Java Development Kit\\";
const WideString kIbmJre = L"Software\\IBM\\Java2 Runtime Environment\\";

struct VendorKey {
  const WideString& key;
  bool searched;
  bool preferred;
};

// The vendor keys in search order, with whether each is searched and whether
// its candidates are preferred.
std::vector<VendorKey> VendorKeys(const Launcher& l) {
  const bool jdk = l.anySource || l.jdkWanted;
  const bool jre = l.anySource || l.jreWanted;
  const bool sun = l.sunAccepted || l.sunFavoured;
  const bool jrockit = l.jrockitAccepted || l.jrockitFavoured;
  const bool ibm = l.ibmAccepted || l.ibmFavoured;
  return {
      {kJavaSoftJdk, jdk && sun, l.jdkWanted && l.sunFavoured},
      {kJavaSoftJre, jre && sun, l.jreWanted && l.sunFavoured},
      {kJRockitJre, jre && jrockit, l.jreWanted && l.jrockitFavoured},
      {kJRockitJdk, jdk && jrockit, l.jdkWanted && l.jrockitFavoured},
      {kIbmJre, jre && ibm, l.jreWanted && l.ibmFavoured},
  };
}

WideStringList SubkeyNames(const Launcher& launcher, const WideString& vendorKey, bool view32) {
  WideStringList names;
  std::unique_ptr<RegistryKey> key = launcher.host.registry.OpenMachineKey(vendorKey, view32);
  if (!key) return names;
  for (uint32_t index = 0;; ++index) {
    std::optional<WideString> name = key->SubkeyName(index);
    if (!name) break;
    names.push_back(*name);
  }
  return names;
}

}  // namespace

bool ReadRuntimeHome(const Launcher& launcher, const WideString& vendorKey, const WideString& name, bool view32,
                     WideString& home, bool& server) {
  std::unique_ptr<RegistryKey> key = launcher.host.registry.OpenMachineKey(vendorKey + name, view32);
  if (!key) return false;
  std::optional<WideString> javaHome = key->TextValue(L"JavaHome");
  if (!javaHome || javaHome->empty()) return false;
  WideString folder = WithTrailingSeparator(*javaHome);
  if (vendorKey == kJavaSoftJdk || vendorKey == kJRockitJdk) folder += platform::kJdkRuntimeFolder;
  JvmTypeMode mode = launcher.jvmTypeMode;
  if (vendorKey == kJavaSoftJre && mode == JvmTypeMode::FavorServer) mode = JvmTypeMode::Default;
  if (LocateJvmLibrary(folder, mode, server).empty()) return false;
  home = folder;
  return true;
}

void SearchRuntimeKey(const Launcher& launcher, JvmCandidateList& candidates, const WideString& vendorKey,
                      bool preferred, bool view32) {
  for (const WideString& name : SubkeyNames(launcher, vendorKey, view32)) {
    JvmCandidate candidate;
    candidate.version.Parse(name, JavaVersion::kLowFill);
    if (Compare(candidate.version, launcher.maximumVersion) > 0 ||
        Compare(candidate.version, launcher.minimumVersion) < 0) {
      continue;
    }
    if (!ReadRuntimeHome(launcher, vendorKey, name, view32, candidate.home, candidate.server)) continue;
    candidate.preferred = preferred;
    candidates.push_back(candidate);
  }
}

JvmCandidateList FindRegistryRuntimes(const Launcher& launcher, bool view32) {
  JvmCandidateList candidates;
  for (const VendorKey& vendor : VendorKeys(launcher)) {
    if (vendor.searched) SearchRuntimeKey(launcher, candidates, vendor.key, vendor.preferred, view32);
  }
  return candidates;
}

bool SearchRegistry(const Launcher& launcher, WideString& home, JavaVersion& version) {
  JvmCandidateList candidates = FindRegistryRuntimes(launcher, false);
  if (candidates.empty()) return false;
  return SelectCandidate(candidates, launcher, version, home);
}
