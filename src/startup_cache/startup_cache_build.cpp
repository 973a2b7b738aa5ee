#include "startup_cache/startup_cache_build.h"

#include <chrono>
#include <cstdint>
#include <string>

#include "platform/files.h"
#include "platform/process.h"
#include "startup_cache/startup_cache_files.h"

namespace launcher::startup_cache {

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

// Puts a built archive under its final name, then writes its stamp: renaming
// keeps the size and time the stamp records, and a build broken off in between
// leaves an archive without a stamp, which is never used and which the next
// build replaces, rather than a stamp without an archive.
bool PutInPlace(const CacheBuildJob& job) {
  const platform::FileIdentity built = platform::QueryFileIdentity(job.temporaryArchive);
  return built.regularFile && built.size > 0 && platform::MoveFileReplacing(job.temporaryArchive, job.archive) &&
         platform::WriteFileBytes(job.stamp, StampText(built));
}

// Less room than this left on the cache's volume after a failed build: the
// volume, not the runtime, is taken to have stopped it.
constexpr uint64_t kRoomForBuild = 64 * 1024 * 1024;

const char* EndingText(BuildEnding ending) {
  switch (ending) {
    case BuildEnding::Built:
      return "built";
    case BuildEnding::BrokenOff:
      return "broken off";
    case BuildEnding::DiskFull:
      return "the disk is full";
    case BuildEnding::Refused:
      return "refused by the runtime";
  }
  return "";
}

// What the failure marker logged before: its text after the first line.
std::string EarlierLog(const std::string& marker) {
  const size_t end = marker.find('\n');
  return end == std::string::npos ? std::string() : marker.substr(end + 1);
}

// Runs the build; the archive under its final name, or the failure marker
// counting the attempts and logging how each ended with what it printed. The
// attempt is counted before the java program runs, so that a build whose own
// process is killed counts too.
bool Build(const CacheBuildJob& job) {
  const platform::SystemResult<std::string> marker = platform::ReadWholeFile(job.failureMarker);
  BuildRecord record = marker ? ReadBuildRecord(*marker) : BuildRecord{};
  if (record.GivenUp()) return false;
  ++record.attempts;
  const std::string attempt = "[build " + std::to_string(record.attempts) + " of " + std::to_string(kBuildAttempts);
  const std::string log = marker ? EarlierLog(*marker) : std::string();
  if (!platform::WriteFileBytes(job.failureMarker, BuildRecordText(record, log + attempt + ": broken off]\n"))) {
    return false;
  }
  const std::optional<uint32_t> exitCode =
      platform::RunProgramAndWait(job.javaProgram, job.arguments, job.output, kBuildLimitMs).value_or(std::nullopt);
  const bool placed = exitCode == 0u && PutInPlace(job);
  const bool diskFull = !placed && platform::FreeDiskSpace(job.folder).value_or(UINT64_MAX) < kRoomForBuild;
  const BuildEnding ending = ClassifyBuildEnding({.exitCode = exitCode, .archivePlaced = placed, .diskFull = diskFull});
  if (ending == BuildEnding::Built) {
    platform::RemoveFile(job.failureMarker);
  } else {
    record.final = ending == BuildEnding::Refused;
    const std::string code = exitCode ? "exit code " + std::to_string(*exitCode) : "no exit code";
    platform::WriteFileBytes(job.failureMarker,
                             BuildRecordText(record, log + platform::ReadWholeFile(job.output).value_or("") + "\n" +
                                                         attempt + " ended: " + code + ", " + EndingText(ending) +
                                                         (record.GivenUp() ? ", given up]\n" : "]\n")));
    platform::RemoveFile(job.temporaryArchive);
  }
  platform::RemoveFile(job.output);
  return placed;
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
  const platform::SystemResult<std::string> text = platform::ReadWholeFile(jobFile);
  const std::optional<CacheBuildJob> job = text ? ParseJob(*text) : std::nullopt;
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

}  // namespace launcher::startup_cache
