#include "startup_cache/startup_cache_build.h"

#include <chrono>

#include "platform/background_process.h"
#include "platform/environment.h"
#include "platform/file_identity.h"
#include "platform/file_operations.h"
#include "platform/file_replacement.h"
#include "platform/file_system.h"
#include "startup_cache/startup_cache_files.h"

const wchar_t* const kCacheBuildVariable = L"QX_LAUNCHER_CACHE_BUILD";

namespace {

// The launcher ends right after it starts the build; one that has not ended
// after this long is not waited for.
constexpr uint32_t kStarterLimitMs = 60 * 1000;
// A build takes seconds; one that has not ended after this long is ended.
constexpr uint32_t kBuildLimitMs = 10 * 60 * 1000;
// Working files older than this belong to runs that were broken off.
constexpr std::chrono::hours kAbandonedAge{24};

void DiscardClassList(const CacheBuildJob& job) { platform::RemoveFile(job.classList); }

// Removes the other archives and failure markers of this launcher and runtime,
// which the new archive replaces, and abandoned working files. On Windows an
// archive that a running application maps cannot be removed: it stays.
void RemoveReplacedFiles(const CacheBuildJob& job) {
  const std::optional<WideStringList> names = platform::FindFiles(job.folder + job.family + L"-*");
  if (!names) return;
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const int64_t abandoned = std::chrono::duration_cast<std::chrono::nanoseconds>(now - kAbandonedAge).count();
  for (const WideString& name : *names) {
    const WideString path = job.folder + name;
    if (path == job.archive || path == job.stamp) continue;
    if (IsLastingCacheFile(name) || platform::QueryFileIdentity(path).modified < abandoned) platform::RemoveFile(path);
  }
}

// Puts a built archive under its final name, its stamp first: renaming keeps
// the size and time the stamp records.
bool PutInPlace(const CacheBuildJob& job) {
  const platform::FileIdentity built = platform::QueryFileIdentity(job.temporaryArchive);
  return built.regularFile && built.size > 0 && platform::WriteFileBytes(job.stamp, StampText(built)) &&
         platform::MoveFileReplacing(job.temporaryArchive, job.archive);
}

// Runs the build; the archive under its final name, or the failure marker
// holding what the build printed and how it ended.
bool Build(const CacheBuildJob& job) {
  const std::optional<uint32_t> exitCode =
      platform::RunProgramAndWait(job.javaProgram, job.arguments, job.output, kBuildLimitMs);
  const bool built = exitCode == 0u && PutInPlace(job);
  if (!built) {
    const std::string ending = exitCode ? "exit code " + std::to_string(*exitCode) : "no exit code";
    platform::WriteFileBytes(job.failureMarker,
                             platform::ReadWholeFile(job.output).bytes + "\n[build ended: " + ending + "]\n");
    platform::RemoveFile(job.temporaryArchive);
  }
  platform::RemoveFile(job.output);
  return built;
}

}  // namespace

CacheBuildStarter::CacheBuildStarter(std::optional<CacheBuildJob> job, WideString executablePath)
    : job_(std::move(job)), executablePath_(std::move(executablePath)) {}

CacheBuildStarter::~CacheBuildStarter() {
  if (job_ && !started_.exchange(true)) DiscardClassList(*job_);
}

void CacheBuildStarter::Start() {
  if (!job_ || started_.exchange(true)) return;
  if (platform::WriteFileBytes(job_->jobFile, SerializeJob(*job_)) &&
      platform::StartBackgroundCopy(executablePath_, job_->folder, kCacheBuildVariable, job_->jobFile)) {
    return;
  }
  platform::RemoveFile(job_->jobFile);
  DiscardClassList(*job_);
}

int32_t RunCacheBuild(const WideString& jobFile) {
  platform::UnsetEnvironmentValue(kCacheBuildVariable);
  // Read by the java program alone, never by the JVM the launcher creates.
  platform::UnsetEnvironmentValue(L"JDK_JAVA_OPTIONS");
  const platform::FileBytes text = platform::ReadWholeFile(jobFile);
  const std::optional<CacheBuildJob> job =
      text.state == platform::FileState::Present ? ParseJob(text.bytes) : std::nullopt;
  // Only a file the launcher wrote as this job goes.
  if (!job || job->jobFile != jobFile) return 1;
  platform::RemoveFile(jobFile);
  // The class list is complete only once the launcher's process has ended.
  const bool built = platform::WaitForStarterToEnd(kStarterLimitMs) &&
                     platform::QueryFileIdentity(job->classList).size > 0 && Build(*job);
  DiscardClassList(*job);
  if (built) RemoveReplacedFiles(*job);
  return built ? 0 : 1;
}
