#include "discovery/candidate_ranking.h"

#include <algorithm>

namespace {

bool RanksAbove(const JvmCandidate& a, const JvmCandidate& b, const RuntimeRequirements& requirements) {
  if (RanksPreferredFirst(requirements.source) && a.preferred != b.preferred) return a.preferred;
  if (requirements.jvmType == JvmTypeMode::FavorServer && a.server != b.server) return a.server;
  return Compare(a.version, b.version) > 0;
}

}  // namespace

void SortCandidates(JvmCandidateList& candidates, const RuntimeRequirements& requirements) {
  std::stable_sort(candidates.begin(), candidates.end(), [&requirements](const JvmCandidate& a, const JvmCandidate& b) {
    return RanksAbove(a, b, requirements);
  });
}

const JvmCandidate& SelectCandidate(JvmCandidateList& candidates, const RuntimeRequirements& requirements) {
  SortCandidates(candidates, requirements);
  for (const WideString& text : requirements.preferredVersions) {
    JavaVersion pattern;
    pattern.Parse(text, JavaVersion::kLowFill);
    for (const JvmCandidate& candidate : candidates) {
      if (MatchesPattern(candidate.version, pattern)) return candidate;
    }
  }
  return candidates.front();
}
