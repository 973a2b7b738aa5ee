#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/wide_string.h"

namespace launcher::startup_cache {

// What the background build of an archive does: run the runtime's java program
// with the arguments, then put the archive in place. The launcher writes it to
// a file, which the build reads.
struct CacheBuildJob {
  WideString javaProgram;
  WideStringList arguments;
  WideString classList;
  WideString temporaryArchive;
  WideString archive;
  WideString stamp;
  WideString output;
  WideString failureMarker;
  WideString folder;   // the cache folder, ending in a path separator
  WideString family;   // the start of the names of this launcher's files on this runtime
  WideString jobFile;  // where the launcher writes the job for the build
};

// UTF-8 fields separated by NUL characters, which no path or argument can hold.
std::string SerializeJob(const CacheBuildJob& job);

// nullopt for a text that SerializeJob did not make.
std::optional<CacheBuildJob> ParseJob(std::string_view text);

}  // namespace launcher::startup_cache
