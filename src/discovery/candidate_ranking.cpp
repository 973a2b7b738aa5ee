#include "discovery/candidate_ranking.h"

#include <algorithm>
#include <optional>
#include <string>

#include "platform/text.h"

namespace launcher::discovery {

namespace {

// The rank tests in their order; the first that tells two candidates apart decides.
enum class RankTest { Preferred, Server, Version, None };

RankTest Deciding(const JvmCandidate& a, const JvmCandidate& b, const settings::RuntimeRequirements& requirements) {
  if (settings::RanksPreferredFirst(requirements.source) && a.preferred != b.preferred) return RankTest::Preferred;
  if (requirements.jvmType == settings::JvmTypeMode::FavorServer && a.server != b.server) return RankTest::Server;
  if (Compare(a.version, b.version) != 0) return RankTest::Version;
  return RankTest::None;
}

bool RanksAbove(const JvmCandidate& a, const JvmCandidate& b, const settings::RuntimeRequirements& requirements) {
  switch (Deciding(a, b, requirements)) {
    case RankTest::Preferred:
      return a.preferred;
    case RankTest::Server:
      return a.server;
    case RankTest::Version:
      return Compare(a.version, b.version) > 0;
    case RankTest::None:
      break;
  }
  return false;
}

// The chosen candidate's position, and the "Preferred versions" entry it matched.
struct Choice {
  size_t index = 0;
  std::optional<WideString> preferredText;
};

Choice Choose(const JvmCandidateList& ranked, const settings::RuntimeRequirements& requirements) {
  for (const WideString& text : requirements.preferredVersions) {
    JavaVersion pattern;
    pattern.Parse(text, JavaVersion::kLowFill);
    for (size_t i = 0; i < ranked.size(); ++i) {
      if (MatchesPattern(ranked[i].version, pattern)) return {i, text};
    }
  }
  return {};
}

std::string Quoted(const WideString& text) { return "\"" + platform::ToUtf8(text) + "\""; }

// Why a candidate other than the chosen one was not taken.
std::string WhyNot(const JvmCandidate& other, const JvmCandidate& chosen, const Choice& choice,
                   const settings::RuntimeRequirements& requirements) {
  if (choice.preferredText) {
    JavaVersion pattern;
    pattern.Parse(*choice.preferredText, JavaVersion::kLowFill);
    // Every candidate ranked above the chosen one fails this test: the first match is chosen.
    if (!MatchesPattern(other.version, pattern)) {
      return "\"Preferred versions\" entry " + Quoted(*choice.preferredText) + " matches the chosen one, not this";
    }
  }
  switch (Deciding(chosen, other, requirements)) {
    case RankTest::Preferred:
      return "not preferred: \"JVM Source\" and \"VM Provider\" favour the chosen one's kind and vendor";
    case RankTest::Server:
      return "no server library, which \"JVM Type\" favor_server ranks first";
    case RankTest::Version:
      return "an older version";
    case RankTest::None:
      break;
  }
  return "ranks the same as the chosen one, which was found first";
}

void TraceChoice(Trace& trace, const JvmCandidateList& ranked, const Choice& choice,
                 const settings::RuntimeRequirements& requirements) {
  if (!trace.Enabled()) return;
  const JvmCandidate& chosen = ranked[choice.index];
  TraceLine(trace, "choice")
      .Text("source", chosen.source)
      .Version("version", chosen.version)
      .Bytes("reason", choice.preferredText
                           ? "the best-ranked match of \"Preferred versions\" entry " + Quoted(*choice.preferredText)
                           : "the best-ranked of " + std::to_string(ranked.size()) + " candidates")
      .Write();
  for (size_t i = 0; i < ranked.size(); ++i) {
    if (i == choice.index) continue;
    TraceLine(trace, "passed-over")
        .Text("source", ranked[i].source)
        .Version("version", ranked[i].version)
        .Bytes("reason", WhyNot(ranked[i], chosen, choice, requirements))
        .Write();
  }
}

}  // namespace

void SortCandidates(JvmCandidateList& candidates, const settings::RuntimeRequirements& requirements) {
  std::stable_sort(candidates.begin(), candidates.end(), [&requirements](const JvmCandidate& a, const JvmCandidate& b) {
    return RanksAbove(a, b, requirements);
  });
}

const JvmCandidate& SelectCandidate(JvmCandidateList& candidates, const settings::RuntimeRequirements& requirements,
                                    Trace& trace) {
  SortCandidates(candidates, requirements);
  const Choice choice = Choose(candidates, requirements);
  TraceChoice(trace, candidates, choice, requirements);
  return candidates[choice.index];
}

}  // namespace launcher::discovery
