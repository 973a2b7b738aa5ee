#pragma once

#include <optional>
#include <string>

#include "common/java_version.h"
#include "common/trace.h"
#include "discovery/jvm_candidate.h"
#include "settings/runtime_requirements.h"

namespace launcher::discovery {

// How the searches tell the trace what they made of each runtime they met.

// Why a version is outside the bounds, in words ("above \"Maximum Version\"
// 1.8.65535.65535"); nullopt when it is within them. Both bounds are inclusive.
std::optional<std::string> OutsideBounds(const JavaVersion& version, const settings::RuntimeRequirements& requirements);

// Why the searches do not look at a kind and vendor; nullopt when they do.
std::optional<std::string> NotSearched(settings::RuntimeKind kind, settings::Vendor vendor,
                                       const settings::RuntimeRequirements& requirements);

// The names the trace gives the values of a candidate.
const char* KindName(settings::RuntimeKind kind);
const char* VendorName(settings::Vendor vendor);
const char* JvmTypeName(settings::JvmTypeMode mode);

// "no JVM library for \"JVM Type\" server" and the like.
std::string NoJvmLibrary(settings::JvmTypeMode mode);

// A runtime that was passed over, and why.
void TraceRefused(Trace& trace, const WideString& source, std::string_view reason);
// A runtime that qualifies: it joins the candidates of its search.
void TraceAccepted(Trace& trace, const JvmCandidate& candidate);
// The end of one search of the resolution order, with how many candidates it found.
void TraceSearch(Trace& trace, std::string_view stage, size_t candidates);

}  // namespace launcher::discovery
