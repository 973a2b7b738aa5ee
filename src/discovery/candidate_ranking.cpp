#include "discovery/candidate_ranking.h"

#include <algorithm>

#include "launcher/launcher.h"

namespace {

bool RanksAbove(const JvmCandidate& a, const JvmCandidate& b, const Launcher& launcher) {
  if (launcher.anySource && a.preferred != b.preferred) return a.preferred;
  if (launcher.jvmTypeMode == JvmTypeMode::FavorServer && a.server != b.server) return a.server;
  return Compare(a.version, b.version) > 0;
}

}  // namespace

void SortCandidates(JvmCandidateList& candidates, const Launcher& launcher) {
  std::stable_sort(candidates.begin(), candidates.end(),
                   [&launcher](const JvmCandidate& a, const JvmCandidate& b) { return RanksAbove(a, b, launcher); });
}

bool SelectCandidate(JvmCandidateList& candidates, const Launcher& launcher, JavaVersion& version, WideString& home) {
  SortCandidates(candidates, launcher);
  for (const WideString& text : launcher.preferredVersions) {
    JavaVersion pattern;
    pattern.Parse(text, JavaVersion::kLowFill);
    for (const JvmCandidate& candidate : candidates) {
      if (!MatchesPattern(candidate.version, pattern)) continue;
      version = candidate.version;
      home = candidate.home;
      return true;
    }
  }
  version = candidates.front().version;
  home = candidates.front().home;
  return true;
}
