#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "platform/wide_string.h"
#include "startup_cache/startup_cache_mechanism.h"

namespace launcher::startup_cache {

// The files of the start-up cache in its folder. All begin with the family
// and the key ("<family>-<key>"); the files of one run add its process id, so
// that starts at the same time never share one.
struct StartupCacheFiles {
  WideString archive;           // ".jsa" (class-data archive) or ".aot" (AOT cache)
  WideString stamp;             // ".stamp": the size and time of the archive as the build left it
  WideString failureMarker;     // ".failed": the attempts at the build that did not put an archive in place
  WideString classList;         // "-<pid>.classlist": the classes this run loads
  WideString temporaryArchive;  // "-<pid>.tmp": the archive while it is built
  WideString output;            // "-<pid>.out": what the build prints
  WideString jobFile;           // "-<pid>.job": what the build is to do
};

// folder ends in a path separator.
StartupCacheFiles NameCacheFiles(const WideString& folder, const std::string& family, const std::string& key,
                                 CacheMechanism mechanism, uint32_t processId);

// Whether a path reaches the runtime unchanged inside an option: no "%" (which
// -XX:DumpLoadedClassList expands), no path-list separator (at which
// -XX:SharedArchiveFile splits), and nothing that the 8-bit encoding of the
// options cannot hold.
bool PathSuitsRuntimeOptions(const WideString& path);

// Whether a file of the cache folder is an archive, its stamp or a failure
// marker (as opposed to the working files of a run).
bool IsLastingCacheFile(const WideString& name);

// The text of an archive's stamp: its size and modification time. Whatever
// writes to an archive after its build changes one of them, so an archive that
// no longer matches its stamp is not used (the runtime would crash on some
// damaged archives, and having it check their checksums at every start costs
// a third of what an archive saves on Java 17).
std::string StampText(const platform::FileIdentity& archive);

// How a build of an archive ended.
enum class BuildEnding {
  Built,      // the archive is in place
  BrokenOff,  // killed or timed out: worth another try
  DiskFull,   // the cache's volume ran out of room: worth another try
  Refused,    // the runtime ended on its own without an archive: final
};

// What can be seen of a build once it has ended.
struct BuildOutcome {
  std::optional<uint32_t> exitCode;  // the java program's; nullopt when it was killed or timed out
  bool archivePlaced = false;
  bool diskFull = false;  // the cache's volume is (nearly) full now
};

// How a build ended. A runtime that refuses says why and exits with a small
// code; a program ended from outside has none, a signal's (above 128) or a
// system status's (0xC0000000 and up).
BuildEnding ClassifyBuildEnding(const BuildOutcome& outcome);

// Builds of one archive that may fail before it is given up: a build broken off
// (the application closed and the machine shut down) is tried again at later
// starts, but not for ever.
constexpr int32_t kBuildAttempts = 3;

// What the failure marker holds: how many builds were tried and whether the
// last one was final, then what the builds printed. Its first line is
// "attempts N" or "attempts N final"; a marker written otherwise counts as
// final.
struct BuildRecord {
  int32_t attempts = 0;
  bool final = false;

  // No further build is to be tried.
  bool GivenUp() const { return final || attempts >= kBuildAttempts; }
};
BuildRecord ReadBuildRecord(std::string_view text);
// Room enough for the first line, "attempts N final", and its line end.
inline constexpr size_t kLongestBuildRecordLine = 32;
std::string BuildRecordText(const BuildRecord& record, std::string_view log);

}  // namespace launcher::startup_cache
