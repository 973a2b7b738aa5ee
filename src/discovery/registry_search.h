#pragma once

#include "discovery/jvm_candidate.h"
#include "platform/wide_string.h"

class Launcher;

// The runtimes registered under the vendor keys whose conditions the settings
// meet, within the version bounds and holding a JVM library, in search order.
JvmCandidateList FindRegistryRuntimes(const Launcher& launcher, bool view32);

// Appends the runtimes of one vendor key, with the preferred flag of its candidates.
void SearchRuntimeKey(const Launcher& launcher, JvmCandidateList& candidates, const WideString& vendorKey,
                      bool preferred, bool view32);

// The runtime home of one version subkey ("JavaHome", with the JDK's runtime
// folder for a JDK) and whether its JVM library is the server one.
bool ReadRuntimeHome(const Launcher& launcher, const WideString& vendorKey, const WideString& name, bool view32,
                     WideString& home, bool& server);

// Searches the ordinary view and chooses one candidate.
bool SearchRegistry(const Launcher& launcher, WideString& home, JavaVersion& version);
