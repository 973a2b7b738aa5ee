#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/wide_string.h"

namespace platform {

// A program the launcher started, which runs on without it unless waited for.
class ChildProcess {
 public:
  // Starts program (a path; a relative one from the current folder, never
  // searched for) with this process's own command line, unchanged: on Windows
  // the text of GetCommandLineW, quoting and program path as typed; on POSIX
  // the argument vector as received, program path first. Null, with the
  // system's error code in error, when it cannot be started.
  static std::unique_ptr<ChildProcess> StartWithOwnCommandLine(const WideString& program, uint32_t& error);

  virtual ~ChildProcess() = default;

  // Waits for it to end: its exit code (on POSIX 128 + the signal's number for
  // one ended by a signal), or none when that cannot be read.
  virtual std::optional<int32_t> WaitForExit() = 0;
};

}  // namespace platform
