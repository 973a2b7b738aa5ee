#include "discovery/candidate_ranking.h"

#include <gtest/gtest.h>

#include "common/split_list.h"
#include "settings/settings_values.h"
#include "test_support.h"

namespace launcher::discovery {

namespace {

JvmCandidate Candidate(const wchar_t* name, const wchar_t* version, bool preferred, bool server = false) {
  JvmCandidate candidate;
  candidate.version.Parse(version, JavaVersion::kLowFill);
  candidate.home = name;
  candidate.preferred = preferred;
  candidate.server = server;
  candidate.source = name;
  return candidate;
}

struct RankCase {
  const char* what;
  const wchar_t* source;
  const wchar_t* provider;
  settings::JvmTypeMode mode;
  const wchar_t* preferredVersions;
  JvmCandidateList candidates;     // in search order
  std::vector<WideString> ranked;  // homes, best first
  const wchar_t* chosen;
};

class RankingTest : public testing::TestWithParam<RankCase> {};

TEST_P(RankingTest, RanksAndChooses) {
  const RankCase& c = GetParam();
  settings::RuntimeRequirements requirements;
  requirements.source = settings::ParseSourcePolicy(c.source);
  requirements.vendor = settings::ParseVendorPolicy(c.provider);
  requirements.jvmType = c.mode;
  requirements.preferredVersions = SplitList(c.preferredVersions, L";");

  JvmCandidateList sorted = c.candidates;
  SortCandidates(sorted, requirements);
  std::vector<WideString> homes;
  for (const JvmCandidate& candidate : sorted) homes.push_back(candidate.home);
  EXPECT_EQ(homes, c.ranked) << c.what;

  JvmCandidateList list = c.candidates;
  EXPECT_EQ(SelectCandidate(list, requirements).home, c.chosen) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, RankingTest,
    testing::Values(
        RankCase{"newest wins; equal versions keep the search order (JDK key first)",
                 L"",
                 L"",
                 settings::JvmTypeMode::Default,
                 L"",
                 {Candidate(L"jdk8", L"1.8", true), Candidate(L"jre8", L"1.8", true), Candidate(L"jre11", L"11", true)},
                 {L"jre11", L"jdk8", L"jre8"},
                 L"jre11"},
        RankCase{"favor_ibm with favor_JRE: the IBM JREs first, newest first, then the rest",
                 L"favor_JRE",
                 L"favor_ibm",
                 settings::JvmTypeMode::Default,
                 L"",
                 {Candidate(L"sunjre9", L"9", false), Candidate(L"ibm6", L"1.6", true),
                  Candidate(L"ibm7", L"1.7", true), Candidate(L"jrockit10", L"10", false)},
                 {L"ibm7", L"ibm6", L"jrockit10", L"sunjre9"},
                 L"ibm7"},
        RankCase{"only_JRE: no preferred ranking, version alone",
                 L"only_JRE",
                 L"favor_jrockit",
                 settings::JvmTypeMode::Default,
                 L"",
                 {Candidate(L"jrockit6", L"1.6", true), Candidate(L"sun7", L"1.7", false)},
                 {L"sun7", L"jrockit6"},
                 L"sun7"},
        RankCase{"favor_server: a server library ranks above a newer version",
                 L"only_JRE",
                 L"",
                 settings::JvmTypeMode::FavorServer,
                 L"",
                 {Candidate(L"client20", L"1.6.0_20", false, false), Candidate(L"server10", L"1.6.0_10", false, true)},
                 {L"server10", L"client20"},
                 L"server10"},
        RankCase{"favor_server: with any source the preferred flag decides first",
                 L"favor_JDK",
                 L"",
                 settings::JvmTypeMode::FavorServer,
                 L"",
                 {Candidate(L"jreServer", L"1.6.0_10", false, true), Candidate(L"jdkClient", L"1.6.0_20", true, false)},
                 {L"jdkClient", L"jreServer"},
                 L"jdkClient"},
        RankCase{"preferred versions: the list order decides, not the rank",
                 L"",
                 L"",
                 settings::JvmTypeMode::Default,
                 L"1.5;1.6",
                 {Candidate(L"a", L"1.6.0_20", true), Candidate(L"b", L"1.5.0_22", true)},
                 {L"a", L"b"},
                 L"b"},
        RankCase{"preferred versions: no match takes the top-ranked",
                 L"",
                 L"",
                 settings::JvmTypeMode::Default,
                 L"1.4",
                 {Candidate(L"a", L"1.6.0_20", true), Candidate(L"b", L"1.7", true)},
                 {L"b", L"a"},
                 L"b"},
        RankCase{"preferred versions: a text without digits matches the top-ranked",
                 L"",
                 L"",
                 settings::JvmTypeMode::Default,
                 L"newest;1.6",
                 {Candidate(L"a", L"1.6", true), Candidate(L"b", L"1.7", true)},
                 {L"b", L"a"},
                 L"b"},
        RankCase{"preferred versions: the best-ranked of the matches",
                 L"",
                 L"",
                 settings::JvmTypeMode::Default,
                 L"1.6",
                 {Candidate(L"a", L"1.6.0_3", true), Candidate(L"b", L"1.7", true), Candidate(L"c", L"1.6.0_20", true)},
                 {L"b", L"c", L"a"},
                 L"c"}),
    [](const testing::TestParamInfo<RankCase>& info) { return "Example" + std::to_string(info.index); });

struct ChoiceCase {
  const char* what;
  const wchar_t* source;
  settings::JvmTypeMode mode;
  const wchar_t* preferredVersions;
  JvmCandidateList candidates;
  std::vector<std::string> lines;  // the choice, then why each other one was passed over, in rank order
};

class ChoiceTraceTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(ChoiceTraceTest, TheTraceSaysWhyTheChosenOneAndNotTheOthers) {
  const ChoiceCase& c = GetParam();
  settings::RuntimeRequirements requirements;
  requirements.source = settings::ParseSourcePolicy(c.source);
  requirements.jvmType = c.mode;
  requirements.preferredVersions = SplitList(c.preferredVersions, L";");
  JvmCandidateList list = c.candidates;
  test::RecordingTrace trace;
  SelectCandidate(list, requirements, trace);
  EXPECT_EQ(trace.lines, c.lines) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ChoiceTraceTest,
    testing::Values(
        ChoiceCase{"by rank: preference, then server library, then version, then search order",
                   L"favor_JDK",
                   settings::JvmTypeMode::FavorServer,
                   L"",
                   {Candidate(L"jre", L"17", false, true), Candidate(L"client", L"11", true, false),
                    Candidate(L"old", L"1.8", true, true), Candidate(L"new", L"11", true, true),
                    Candidate(L"twin", L"11", true, true)},
                   {R"(choice source="new" version=11.0.0.0 reason="the best-ranked of 5 candidates")",
                    R"(passed-over source="twin" version=11.0.0.0 reason="ranks the same as the chosen one, )"
                    R"(which was found first")",
                    R"(passed-over source="old" version=1.8.0.0 reason="an older version")",
                    R"(passed-over source="client" version=11.0.0.0 reason="no server library, which \"JVM Type\" )"
                    R"(favor_server ranks first")",
                    R"(passed-over source="jre" version=17.0.0.0 reason="not preferred: \"JVM Source\" and )"
                    R"(\"VM Provider\" favour the chosen one's kind and vendor")"}},
        ChoiceCase{
            "by \"Preferred versions\": the entry that matched, and rank among the matches",
            L"",
            settings::JvmTypeMode::Default,
            L"1.5;1.8",
            {Candidate(L"a", L"17", true), Candidate(L"b", L"1.8.0_20", true), Candidate(L"c", L"1.8.0_5", true)},
            {R"(choice source="b" version=1.8.0.20 reason="the best-ranked match of \"Preferred versions\" )"
             R"(entry \"1.8\"")",
             R"(passed-over source="a" version=17.0.0.0 reason="\"Preferred versions\" entry \"1.8\" matches )"
             R"(the chosen one, not this")",
             R"(passed-over source="c" version=1.8.0.5 reason="an older version")"}}),
    [](const testing::TestParamInfo<ChoiceCase>& info) { return "Example" + std::to_string(info.index); });

}  // namespace

}  // namespace launcher::discovery
