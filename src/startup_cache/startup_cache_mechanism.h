#pragma once

#include <optional>

#include "platform/wide_string.h"

namespace launcher::startup_cache {

// How a runtime can keep an application's classes ready for its next start.
enum class CacheMechanism {
  None,
  // A class-data archive of the classes a run loaded (-XX:SharedArchiveFile).
  ClassDataArchive,
  // The same archive with the classes loaded and linked ahead of time, used as
  // an AOT cache (-XX:AOTCache).
  AotCache,
};

// Why the start-up cache does what it does: first why a mechanism was chosen
// (or none), then what one start does with it.
enum class CacheReason {
  SettingOff,            // "Start-up Cache" is not "Yes"
  NoRuntimeVersion,      // the runtime's release file gives no JAVA_VERSION
  NotHotSpot,            // JVM_VARIANT names another virtual machine
  RuntimeTooOld,         // before Java 17
  ClassDataArchive,      // Java 17 to 24
  AheadOfTimeLinking,    // Java 25 and later
  OptionsChooseArchive,  // the options (or JAVA_TOOL_OPTIONS) already choose, record or turn off class sharing
  UnknownVm,             // the JVM library is neither the server nor the client one
  NoJavaProgram,         // the runtime has no java program to build the archive with
  NoCacheFolder,         // the environment names no per-user cache folder
  UnusablePath,          // the cache's paths cannot be given to the runtime as they are
  FolderNotWritable,     // the cache folder cannot be written
  EarlierBuildFailed,    // the runtime refused to build this archive, or its builds failed too often: not tried again
  ArchiveUsed,           // the archive is there: the runtime uses it
  RecordingClasses,      // none yet: this run records its classes, and the archive is built after it
  BuildTriedAgain,       // as RecordingClasses, after earlier builds were broken off
};

// A short English description, for traces.
const char* DescribeCacheReason(CacheReason reason);

struct CacheMechanismChoice {
  CacheMechanism mechanism = CacheMechanism::None;
  CacheReason reason = CacheReason::SettingOff;
};

// The strongest mechanism that a runtime supports and that is known to work
// silently on it, from the JAVA_VERSION and JVM_VARIANT of its release file
// (nullopt when absent).
CacheMechanismChoice ChooseCacheMechanism(const std::optional<WideString>& javaVersion,
                                          const std::optional<WideString>& jvmVariant);

}  // namespace launcher::startup_cache
