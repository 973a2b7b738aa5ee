#include "startup_cache/startup_cache.h"

#include "common/jvm_path.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/runtime_layout.h"
#include "platform/text.h"
#include "startup_cache/startup_cache_files.h"
#include "startup_cache/startup_cache_key.h"
#include "startup_cache/startup_cache_options.h"

namespace launcher::startup_cache {

namespace {

StampedFile Stamped(const WideString& path) { return {path, platform::QueryFileIdentity(path)}; }

// The options the runtime reads from the environment in addition to ours.
WideString EnvironmentOptions() {
  WideString options;
  for (const wchar_t* name : {L"JAVA_TOOL_OPTIONS", L"_JAVA_OPTIONS"}) {
    options += platform::GetEnvironmentValue(name).value_or(L"") + L'\n';
  }
  return options;
}

WideString JoinClassPath(const std::vector<StampedFile>& entries) {
  WideString classPath;
  for (const StampedFile& entry : entries) {
    if (!classPath.empty()) classPath += platform::kPathListSeparator;
    classPath += entry.path;
  }
  return classPath;
}

StartupCachePlan Outcome(StartupCachePlan plan, CacheReason outcome) {
  plan.outcome = outcome;
  return plan;
}

CacheBuildJob BuildJob(const StartupCacheInputs& inputs, const StartupCachePlan& plan, const StartupCacheFiles& files,
                       const WideString& javaProgram, const WideString& vmName,
                       const std::vector<StampedFile>& archived, const std::string& family) {
  return {javaProgram,
          BuildArchiveArguments(plan.choice.mechanism, vmName, files.classList, files.temporaryArchive,
                                JoinClassPath(archived), ArchiveShapingOptions(inputs.options)),
          files.classList,
          files.temporaryArchive,
          files.archive,
          files.stamp,
          files.output,
          files.failureMarker,
          inputs.folder,
          platform::FromUtf8(family),
          files.jobFile};
}

// What keeps a runtime that has a mechanism from the cache, if anything.
std::optional<CacheReason> Obstacle(const StartupCacheInputs& inputs, const WideString& environmentOptions,
                                    const WideString& vmName, const WideString& javaProgram) {
  if (OptionsHandleClassSharing(inputs.options) || OptionsHandleClassSharing(SplitOptionsText(environmentOptions))) {
    return CacheReason::OptionsChooseArchive;
  }
  if (vmName != L"server" && vmName != L"client") return CacheReason::UnknownVm;
  if (!platform::QueryFileIdentity(javaProgram).regularFile) return CacheReason::NoJavaProgram;
  if (inputs.folder.empty()) return CacheReason::NoCacheFolder;
  return std::nullopt;
}

// A path as the runtime, which reads options and its java program's arguments
// in 8-bit text, can be given it: in its short form where the code page cannot
// write it (see jvm_path.h); as it is when there is none, which the checks of
// the cache's paths then refuse.
WideString Carried(const WideString& path) {
  return JvmPathOf(path, &platform::ShortPathForm, NoTrace()).value_or(JvmPath{path}).path;
}

}  // namespace

StartupCachePlan PlanStartupCache(const StartupCacheInputs& given) {
  StartupCachePlan plan;
  if (!given.enabled) return plan;
  // The cache's files are named in a folder the runtime can be given: their
  // own names are written in ASCII.
  StartupCacheInputs inputs = given;
  if (!inputs.folder.empty()) inputs.folder = platform::WithTrailingSeparator(Carried(inputs.folder));
  plan.choice = ChooseCacheMechanism(inputs.javaVersion, inputs.jvmVariant);
  plan.outcome = plan.choice.reason;
  if (plan.choice.mechanism == CacheMechanism::None) return plan;
  const WideString environmentOptions = EnvironmentOptions();
  const WideString vmName = platform::FileNameOf(platform::ParentOf(inputs.jvmLibrary));
  const WideString javaProgram = Carried(platform::WithTrailingSeparator(inputs.runtimeHome) + platform::kJavaProgram);
  if (const std::optional<CacheReason> obstacle = Obstacle(inputs, environmentOptions, vmName, javaProgram)) {
    return Outcome(plan, *obstacle);
  }

  std::vector<StampedFile> entries;
  for (const WideString& element : ClassPathElements(inputs.options)) entries.push_back(Stamped(element));
  const std::vector<StampedFile> archived = ArchivableEntries(entries);
  const std::string family = CacheFamily(inputs.executablePath, inputs.runtimeHome);
  const std::string key = CacheKey({plan.choice.mechanism, inputs.runtimeHome, inputs.javaVersion.value_or(L""),
                                    Stamped(inputs.jvmLibrary), archived, inputs.options, environmentOptions});
  const StartupCacheFiles files =
      NameCacheFiles(inputs.folder, family, key, plan.choice.mechanism, platform::CurrentProcessId());
  if (!PathSuitsRuntimeOptions(files.archive) || !PathSuitsRuntimeOptions(files.classList)) {
    return Outcome(plan, CacheReason::UnusablePath);
  }

  const platform::FileIdentity archive = platform::QueryFileIdentity(files.archive);
  // One that changed after its build is built anew.
  if (archive.regularFile && archive.size > 0 &&
      platform::ReadWholeFile(files.stamp).value_or("") == StampText(archive)) {
    plan.options = UseArchiveOptions(plan.choice.mechanism, platform::ToAnsi(files.archive));
    return Outcome(plan, CacheReason::ArchiveUsed);
  }
  // A stamp whose archive is gone was left by a build broken off: it goes.
  if (!archive.exists) platform::RemoveFile(files.stamp);
  // Only the record's first line counts here; the builds' logs after it may be long.
  if (const platform::SystemResult<std::string> marker =
          platform::ReadFileStart(files.failureMarker, kLongestBuildRecordLine)) {
    const BuildRecord record = ReadBuildRecord(*marker);
    if (record.GivenUp()) return Outcome(plan, CacheReason::EarlierBuildFailed);
    plan.buildAttempt = record.attempts + 1;
  } else if (platform::QueryFileIdentity(files.failureMarker).exists) {
    return Outcome(plan, CacheReason::EarlierBuildFailed);
  }
  // Made here, so that a folder that cannot be written is found before the
  // runtime would complain of it on standard error.
  if (!platform::WriteFileBytes(files.classList, "")) return Outcome(plan, CacheReason::FolderNotWritable);
  plan.options = {RecordClassesOption(platform::ToAnsi(files.classList))};
  plan.job = BuildJob(inputs, plan, files, javaProgram, vmName, archived, family);
  return Outcome(plan, plan.buildAttempt > 1 ? CacheReason::BuildTriedAgain : CacheReason::RecordingClasses);
}

}  // namespace launcher::startup_cache
