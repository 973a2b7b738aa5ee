#pragma once

#include <string>
#include <vector>

#include "common/jvm_option_list.h"
#include "platform/files.h"
#include "platform/wide_string.h"
#include "startup_cache/startup_cache_mechanism.h"

namespace launcher::startup_cache {

// What tells one archive of the start-up cache from another.

// A file as it was found when the start was planned.
struct StampedFile {
  WideString path;
  platform::FileIdentity identity;
};

// The elements of the class path that the options give the JVM
// (-Djava.class.path=), split where the JVM splits them.
WideStringList ClassPathElements(const JvmOptionList& options);

// The leading class-path entries that are plain files: what an archive can
// hold. The runtime refuses to build an archive with a non-empty folder on the
// class path, and accepts one built with a leading part of the class path.
std::vector<StampedFile> ArchivableEntries(const std::vector<StampedFile>& entries);

// Everything an archive depends on.
struct CacheKeyInputs {
  CacheMechanism mechanism = CacheMechanism::None;
  WideString runtimeHome;
  WideString runtimeVersion;
  StampedFile jvmLibrary;
  std::vector<StampedFile> archivedEntries;
  JvmOptionList options;          // the launch plan's
  WideString environmentOptions;  // what the runtime reads from the environment
};

// 16 hexadecimal digits that change with any of the inputs, except the native
// library path, which follows the search path of the moment and does not
// touch the archive.
std::string CacheKey(const CacheKeyInputs& inputs);

// 16 hexadecimal digits shared by every archive of one launcher on one runtime,
// so that a new archive can replace the older ones.
std::string CacheFamily(const WideString& executablePath, const WideString& runtimeHome);

}  // namespace launcher::startup_cache
