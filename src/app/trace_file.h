#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string_view>

#include "common/trace.h"
#include "platform/files.h"
#include "platform/wide_string.h"

namespace launcher::app {

// The environment variable that names the trace file of a start.
inline constexpr const wchar_t* kTraceVariable = L"QX_LAUNCHER_TRACE";

// A trace kept in a file, added at its end so that the starts of several
// processes (a companion, a second instance) share it. Each line is written at
// once, so that an ending process loses none, and begins with the process id
// and the microseconds since the trace was opened: "4242 +1375us settings-file ...".
class TraceFile final : public Trace {
 public:
  // nullptr when the file cannot be opened for adding lines.
  static std::unique_ptr<TraceFile> Open(const WideString& path, uint32_t processId);

  bool Enabled() const override { return true; }
  // A line that cannot be written is lost; the start goes on as it would without.
  void Write(std::string_view line) override;

 private:
  TraceFile(platform::AppendFile file, uint32_t processId) : file_(std::move(file)), processId_(processId) {}

  const platform::AppendFile file_;
  const uint32_t processId_;
  const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::mutex mutex_;  // the JVM's exit hook may write from a thread of its own
};

// The trace of this process: the file that QX_LAUNCHER_TRACE names, opened at
// the first call; NoTrace() when the variable is unset or empty, or the file
// cannot be opened.
Trace& SystemTrace();

}  // namespace launcher::app
