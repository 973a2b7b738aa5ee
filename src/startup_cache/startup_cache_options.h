#pragma once

#include <string>

#include "common/jvm_option_list.h"
#include "platform/wide_string.h"
#include "startup_cache/startup_cache_mechanism.h"

namespace launcher::startup_cache {

// The JVM options of the start-up cache, and those of the java program that
// builds its archive.

// Whether the options choose, record or turn off class sharing themselves: the
// cache then stays out of their way.
bool OptionsHandleClassSharing(const JvmOptionList& options);

// The options of a text the runtime reads from the environment
// (JAVA_TOOL_OPTIONS), split at white space.
JvmOptionList SplitOptionsText(const WideString& text);

// The options that decide how an archive is laid out (heap and pointer sizes,
// the collector, the module graph): the build is given them too, since the
// runtime refuses an archive laid out otherwise.
JvmOptionList ArchiveShapingOptions(const JvmOptionList& options);

// The options that use an archive. The runtime prints its warnings about an
// archive that it refuses (stale, corrupt, from another runtime) on standard
// output by default: they are turned off, on standard output and error, for
// the archive's log tags alone.
JvmOptionList UseArchiveOptions(CacheMechanism mechanism, const std::string& archive);

// The option that records the classes a run loads into classList.
std::string RecordClassesOption(const std::string& classList);

// The arguments of the runtime's java program that build an archive from a
// class list: vmName is the JVM library's folder ("server", "client"); the
// class path holds the entries whose classes the archive is to hold.
WideStringList BuildArchiveArguments(CacheMechanism mechanism, const WideString& vmName, const WideString& classList,
                                     const WideString& archive, const WideString& classPath,
                                     const JvmOptionList& shapingOptions);

}  // namespace launcher::startup_cache
