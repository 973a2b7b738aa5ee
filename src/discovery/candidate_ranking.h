#pragma once

#include "discovery/jvm_candidate.h"
#include "settings/runtime_requirements.h"

// Orders candidates highest rank first, stably: preferred ones first (unless
// only one kind is searched), then server libraries (in FavorServer mode),
// then the newer version.
void SortCandidates(JvmCandidateList& candidates, const RuntimeRequirements& requirements);

// Sorts, then picks the first candidate that matches the first matching entry of
// "Preferred versions", else the top-ranked one. The list must not be empty.
const JvmCandidate& SelectCandidate(JvmCandidateList& candidates, const RuntimeRequirements& requirements);
