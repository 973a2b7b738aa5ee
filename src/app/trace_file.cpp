#include "app/trace_file.h"

#include <string>

#include "platform/process.h"

namespace launcher::app {

std::unique_ptr<TraceFile> TraceFile::Open(const WideString& path, uint32_t processId) {
  platform::SystemResult<platform::AppendFile> file = platform::AppendFile::Open(path);
  if (!file) return nullptr;
  return std::unique_ptr<TraceFile>(new TraceFile(std::move(*file), processId));
}

void TraceFile::Write(std::string_view line) {
  const auto elapsed =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start_).count();
  std::string stamped = std::to_string(processId_) + " +" + std::to_string(elapsed) + "us ";
  stamped += line;
  stamped += '\n';
  const std::lock_guard<std::mutex> lock(mutex_);
  file_.Append(stamped);
}

Trace& SystemTrace() {
  static const std::unique_ptr<TraceFile> file = [] {
    const std::optional<WideString> path = platform::GetEnvironmentValue(kTraceVariable);
    return path && !path->empty() ? TraceFile::Open(*path, platform::CurrentProcessId()) : nullptr;
  }();
  if (file) return *file;
  return NoTrace();
}

}  // namespace launcher::app
