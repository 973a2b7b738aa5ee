#pragma once

#include <cstdint>
#include <string>

#include "platform/files.h"
#include "platform/wide_string.h"
#include "startup_cache/startup_cache_mechanism.h"

// The files of the start-up cache in its folder. All begin with the family
// and the key ("<family>-<key>"); the files of one run add its process id, so
// that starts at the same time never share one.
struct StartupCacheFiles {
  WideString archive;           // ".jsa" (class-data archive) or ".aot" (AOT cache)
  WideString stamp;             // ".stamp": the size and time of the archive as the build left it
  WideString failureMarker;     // ".failed": the build's output, kept when it failed
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
