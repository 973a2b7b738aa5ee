#include "startup_cache/startup_cache_mechanism.h"

#include "common/java_version.h"
#include "common/text.h"

namespace launcher::startup_cache {

namespace {

// Ahead-of-time class linking arrived in Java 24, but the cache was verified
// from 25 on, whose messages carry the "aot" log tag the silencing options
// name (a runtime that lacks the tag refuses to start with them).
constexpr int32_t kAheadOfTimeLinking = 25;
// Class lists and archives of application classes predate 17, but the cache
// was verified from 17 on.
constexpr int32_t kClassDataArchive = 17;

// 17 for "17.0.2", 8 for "1.8.0_392".
int32_t FeatureVersion(const WideString& text) {
  JavaVersion version;
  if (!version.Parse(text, JavaVersion::kLowFill)) return 0;
  return version.components[0] == 1 ? version.components[1] : version.components[0];
}

}  // namespace

const char* DescribeCacheReason(CacheReason reason) {
  switch (reason) {
    case CacheReason::SettingOff:
      return "\"Start-up Cache\" is off";
    case CacheReason::NoRuntimeVersion:
      return "the runtime's release file names no JAVA_VERSION";
    case CacheReason::NotHotSpot:
      return "the runtime is not a HotSpot one";
    case CacheReason::RuntimeTooOld:
      return "the runtime is older than Java 17";
    case CacheReason::ClassDataArchive:
      return "Java 17 to 24: a class-data archive";
    case CacheReason::AheadOfTimeLinking:
      return "Java 25 or later: an AOT cache with classes linked ahead of time";
    case CacheReason::OptionsChooseArchive:
      return "the VM parameters handle class sharing themselves";
    case CacheReason::UnknownVm:
      return "the JVM library is neither the server nor the client one";
    case CacheReason::NoJavaProgram:
      return "the runtime has no java program to build the archive";
    case CacheReason::NoCacheFolder:
      return "no per-user cache folder";
    case CacheReason::UnusablePath:
      return "the cache's paths cannot be passed to the runtime";
    case CacheReason::FolderNotWritable:
      return "the cache folder cannot be written";
    case CacheReason::EarlierBuildFailed:
      return "building this archive failed before for good";
    case CacheReason::ArchiveUsed:
      return "the archive is used";
    case CacheReason::RecordingClasses:
      return "no archive yet: the classes are recorded and the archive is built after the run";
    case CacheReason::BuildTriedAgain:
      return "an earlier build was broken off: the classes are recorded and the build is tried again after the run";
  }
  return "";
}

CacheMechanismChoice ChooseCacheMechanism(const std::optional<WideString>& javaVersion,
                                          const std::optional<WideString>& jvmVariant) {
  if (!javaVersion || javaVersion->empty()) return {CacheMechanism::None, CacheReason::NoRuntimeVersion};
  // Runtimes that do not say are HotSpot ones (Debian's, for one, do not).
  if (jvmVariant && !jvmVariant->empty() && !EqualsIgnoringCase(*jvmVariant, L"Hotspot")) {
    return {CacheMechanism::None, CacheReason::NotHotSpot};
  }
  const int32_t feature = FeatureVersion(*javaVersion);
  if (feature >= kAheadOfTimeLinking) return {CacheMechanism::AotCache, CacheReason::AheadOfTimeLinking};
  if (feature >= kClassDataArchive) return {CacheMechanism::ClassDataArchive, CacheReason::ClassDataArchive};
  return {CacheMechanism::None, CacheReason::RuntimeTooOld};
}

}  // namespace launcher::startup_cache
