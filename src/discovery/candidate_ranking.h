#pragma once

#include "discovery/jvm_candidate.h"
#include "discovery/jvm_type_mode.h"

class Launcher;

// Orders candidates highest rank first, stably: preferred ones first (when any
// source is accepted), then server libraries (in FavorServer mode), then the
// newer version.
void SortCandidates(JvmCandidateList& candidates, const Launcher& launcher);

// Sorts, then picks the first candidate that matches the first matching entry of
// "Preferred versions", else the top-ranked one. The list must not be empty.
bool SelectCandidate(JvmCandidateList& candidates, const Launcher& launcher, JavaVersion& version, WideString& home);
