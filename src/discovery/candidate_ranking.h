#pragma once

#include "common/trace.h"
#include "discovery/jvm_candidate.h"
#include "settings/runtime_requirements.h"

namespace launcher::discovery {

// Orders candidates highest rank first, stably: preferred ones first (unless
// only one kind is searched), then server libraries (in FavorServer mode),
// then the newer version.
void SortCandidates(JvmCandidateList& candidates, const settings::RuntimeRequirements& requirements);

// Sorts, then picks the first candidate that matches the first matching entry of
// "Preferred versions", else the top-ranked one. The list must not be empty.
// The trace is told which one was chosen and why, and why each other one was not.
const JvmCandidate& SelectCandidate(JvmCandidateList& candidates, const settings::RuntimeRequirements& requirements,
                                    Trace& trace = NoTrace());

}  // namespace launcher::discovery
