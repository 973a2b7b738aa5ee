#include "startup_cache/startup_cache.h"

#include "startup_cache/startup_cache_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/runtime_layout.h"
#include "platform/text.h"
#include "test_support.h"

namespace launcher::startup_cache {

namespace {

using test::Join;

// A runtime, an application of a jar and a class folder, and a cache folder.
class StartupCacheTest : public testing::Test {
 protected:
  StartupCacheTest() {
    test::Touch(Join({dir_.Path(L"jdk"), platform::kJavaProgram}));
    test::Touch(Library(L"server"));
    test::WriteBytes(Jar(), "jar bytes");
    test::Touch(Join({dir_.Path(L"app"), L"classes", L"A.class"}));
    platform::MakeFolder(dir_.Path(L"cache"));
  }

  WideString Library(const WideString& vm) const { return Join({dir_.Path(L"jdk"), L"lib", vm, L"libjvm.so"}); }
  WideString Jar() const { return Join({dir_.Path(L"app"), L"a.jar"}); }
  WideString Folder() const { return dir_.Path(L"cache") + platform::kPathSeparator; }

  StartupCacheInputs Inputs(const WideString& version = L"17.0.15") const {
    StartupCacheInputs inputs;
    inputs.enabled = true;
    inputs.javaVersion = version;
    inputs.runtimeHome = dir_.Path(L"jdk");
    inputs.jvmLibrary = Library(L"server");
    inputs.executablePath = Join({dir_.Path(L"app"), L"start"});
    inputs.folder = Folder();
    const WideString classPath = Jar() + platform::kPathListSeparator + Join({dir_.Path(L"app"), L"classes"});
    inputs.options = {"-Djava.library.path=" + platform::ToAnsi(dir_.Path(L"native")),
                      "-Djava.class.path=" + platform::ToAnsi(classPath), "-Xmx256m", "-Dapp=1"};
    return inputs;
  }

  size_t FilesInCache() const {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(test::NativePath(Folder())),
                                             std::filesystem::directory_iterator()));
  }

  test::TempDir dir_;
};

TEST_F(StartupCacheTest, OffLeavesTheStartAlone) {
  StartupCacheInputs inputs = Inputs();
  inputs.enabled = false;
  const StartupCachePlan plan = PlanStartupCache(inputs);
  EXPECT_EQ(plan.choice.mechanism, CacheMechanism::None);
  EXPECT_EQ(plan.outcome, CacheReason::SettingOff);
  EXPECT_TRUE(plan.options.empty());
  EXPECT_FALSE(plan.job);
  EXPECT_EQ(FilesInCache(), 0u);
}

TEST_F(StartupCacheTest, WithoutAnArchiveTheRunRecordsItsClassesAndTheBuildIsPlanned) {
  const StartupCachePlan plan = PlanStartupCache(Inputs());
  EXPECT_EQ(plan.choice.mechanism, CacheMechanism::ClassDataArchive);
  EXPECT_EQ(plan.outcome, CacheReason::RecordingClasses);
  ASSERT_TRUE(plan.job);
  const CacheBuildJob& job = *plan.job;
  EXPECT_EQ(plan.options, JvmOptionList{"-XX:DumpLoadedClassList=" + platform::ToAnsi(job.classList)});
  EXPECT_TRUE(platform::FileExists(job.classList));
  EXPECT_EQ(job.javaProgram, Join({dir_.Path(L"jdk"), platform::kJavaProgram}));
  EXPECT_EQ(job.folder, Folder());
  EXPECT_EQ(job.archive.substr(0, Folder().size()), Folder());
  EXPECT_EQ(job.archive.substr(job.archive.size() - 4), L".jsa");
  // The archive holds the jar; the class folder after it stays out of the build.
  EXPECT_EQ(job.arguments,
            (WideStringList{L"-server", L"-Xshare:dump", L"-XX:SharedClassListFile=" + job.classList,
                            L"-XX:SharedArchiveFile=" + job.temporaryArchive, L"-Xmx256m", L"-cp", Jar()}));
}

TEST_F(StartupCacheTest, Java25BuildsAnAotCacheWithLinkedClasses) {
  const StartupCachePlan plan = PlanStartupCache(Inputs(L"25.0.3"));
  EXPECT_EQ(plan.choice.mechanism, CacheMechanism::AotCache);
  ASSERT_TRUE(plan.job);
  EXPECT_EQ(plan.job->archive.substr(plan.job->archive.size() - 4), L".aot");
  EXPECT_EQ(plan.job->arguments[4], L"-XX:+AOTClassLinking");
}

// Puts an archive in place as a build does, with its stamp.
void PlaceArchive(const CacheBuildJob& job, const std::string& bytes) {
  test::WriteBytes(job.archive, bytes);
  test::WriteBytes(job.stamp, StampText(platform::QueryFileIdentity(job.archive)));
}

TEST_F(StartupCacheTest, AnArchiveInPlaceIsUsedAndAnEmptyOneIsNot) {
  const CacheBuildJob job = *PlanStartupCache(Inputs()).job;
  PlaceArchive(job, "");
  EXPECT_EQ(PlanStartupCache(Inputs()).outcome, CacheReason::RecordingClasses);

  PlaceArchive(job, "archive");
  const WideString archive = job.archive;
  const StartupCachePlan plan = PlanStartupCache(Inputs());
  EXPECT_EQ(plan.outcome, CacheReason::ArchiveUsed);
  EXPECT_FALSE(plan.job);
  ASSERT_FALSE(plan.options.empty());
  EXPECT_EQ(plan.options[0], "-XX:SharedArchiveFile=" + platform::ToAnsi(archive));
}

TEST_F(StartupCacheTest, AnArchiveWrittenAfterItsBuildOrWithoutStampIsBuiltAnew) {
  const CacheBuildJob job = *PlanStartupCache(Inputs()).job;
  PlaceArchive(job, "archive");
  const auto built = std::filesystem::last_write_time(test::NativePath(job.archive));
  // The same size, written later.
  test::WriteBytes(job.archive, "ARCHIVE");
  std::filesystem::last_write_time(test::NativePath(job.archive), built + std::chrono::seconds(1));
  StartupCachePlan plan = PlanStartupCache(Inputs());
  EXPECT_EQ(plan.outcome, CacheReason::RecordingClasses);
  ASSERT_TRUE(plan.job);
  EXPECT_EQ(plan.job->archive, job.archive);

  PlaceArchive(job, "archive");
  platform::RemoveFile(job.stamp);
  EXPECT_EQ(PlanStartupCache(Inputs()).outcome, CacheReason::RecordingClasses);
}

TEST_F(StartupCacheTest, AChangedJarOrOptionMakesTheArchiveStale) {
  const CacheBuildJob job = *PlanStartupCache(Inputs()).job;
  const WideString archive = job.archive;
  PlaceArchive(job, "archive");
  test::WriteBytes(Jar(), "jar bytes, rebuilt");
  const StartupCachePlan afterJar = PlanStartupCache(Inputs());
  EXPECT_EQ(afterJar.outcome, CacheReason::RecordingClasses);
  EXPECT_NE(afterJar.job->archive, archive);

  StartupCacheInputs inputs = Inputs();
  inputs.options.push_back("-XX:+UseSerialGC");
  EXPECT_NE(PlanStartupCache(inputs).job->archive, afterJar.job->archive);
}

TEST_F(StartupCacheTest, ABuildBrokenOffIsTriedAgainAndAFinalOneIsNot) {
  const CacheBuildJob first = *PlanStartupCache(Inputs()).job;
  struct Case {
    std::string marker;
    CacheReason outcome;
    int32_t attempt;
  } cases[] = {
      {"attempts 1\n[build 1 of 3 ended: no exit code, broken off]\n", CacheReason::BuildTriedAgain, 2},
      {"attempts 2\n", CacheReason::BuildTriedAgain, 3},
      {"attempts 3\n", CacheReason::EarlierBuildFailed, 0},
      {"attempts 1 final\nError: something\n", CacheReason::EarlierBuildFailed, 0},
      {"Error: something\n", CacheReason::EarlierBuildFailed, 0},  // a marker of another making counts as final
  };
  for (const Case& c : cases) {
    test::WriteBytes(first.failureMarker, c.marker);
    const StartupCachePlan plan = PlanStartupCache(Inputs());
    EXPECT_EQ(plan.outcome, c.outcome) << c.marker;
    EXPECT_EQ(plan.job.has_value(), c.attempt > 0) << c.marker;
    EXPECT_EQ(plan.options.empty(), c.attempt == 0) << c.marker;
    if (plan.job) EXPECT_EQ(plan.buildAttempt, c.attempt) << c.marker;
  }
}

TEST_F(StartupCacheTest, AStampWithoutItsArchiveGoes) {
  const CacheBuildJob job = *PlanStartupCache(Inputs()).job;
  test::WriteBytes(job.stamp, "123 456\n");
  EXPECT_EQ(PlanStartupCache(Inputs()).outcome, CacheReason::RecordingClasses);
  EXPECT_FALSE(platform::FileExists(job.stamp));
}

TEST_F(StartupCacheTest, AFolderThatCannotBeWrittenLeavesTheStartAlone) {
  test::Touch(dir_.Path(L"file"));
  StartupCacheInputs inputs = Inputs();
  inputs.folder = Join({dir_.Path(L"file"), L"cache"}) + platform::kPathSeparator;
  const StartupCachePlan plan = PlanStartupCache(inputs);
  EXPECT_EQ(plan.outcome, CacheReason::FolderNotWritable);
  EXPECT_TRUE(plan.options.empty());
  EXPECT_FALSE(plan.job);
}

TEST_F(StartupCacheTest, WhateverStandsInTheWayLeavesTheStartAlone) {
  test::Touch(Library(L"hotspot"));
  const std::vector<std::pair<CacheReason, std::function<void(StartupCacheInputs&)>>> cases = {
      {CacheReason::RuntimeTooOld, [](StartupCacheInputs& i) { i.javaVersion = L"11.0.2"; }},
      {CacheReason::NoRuntimeVersion, [](StartupCacheInputs& i) { i.javaVersion.reset(); }},
      {CacheReason::NotHotSpot, [](StartupCacheInputs& i) { i.jvmVariant = L"OpenJ9"; }},
      {CacheReason::OptionsChooseArchive, [](StartupCacheInputs& i) { i.options.push_back("-Xshare:off"); }},
      {CacheReason::UnknownVm, [this](StartupCacheInputs& i) { i.jvmLibrary = Library(L"hotspot"); }},
      {CacheReason::NoJavaProgram, [this](StartupCacheInputs& i) { i.runtimeHome = dir_.Path(L"app"); }},
      {CacheReason::NoCacheFolder, [](StartupCacheInputs& i) { i.folder.clear(); }},
      {CacheReason::UnusablePath, [this](StartupCacheInputs& i) { i.folder = dir_.Path(L"100%") + L"/"; }},
  };
  for (const auto& [reason, change] : cases) {
    StartupCacheInputs inputs = Inputs();
    change(inputs);
    const StartupCachePlan plan = PlanStartupCache(inputs);
    EXPECT_EQ(plan.outcome, reason) << DescribeCacheReason(reason);
    EXPECT_TRUE(plan.options.empty()) << DescribeCacheReason(reason);
    EXPECT_FALSE(plan.job) << DescribeCacheReason(reason);
  }
  EXPECT_EQ(FilesInCache(), 0u);
}

TEST_F(StartupCacheTest, ClassSharingOptionsFromTheEnvironmentLeaveTheStartAlone) {
  test::ScopedEnvironment tool(L"JAVA_TOOL_OPTIONS", L"-Dx=1 -Xshare:auto");
  const StartupCachePlan plan = PlanStartupCache(Inputs(L"25"));
  EXPECT_EQ(plan.outcome, CacheReason::OptionsChooseArchive);
  EXPECT_TRUE(plan.options.empty());
}

}  // namespace

}  // namespace launcher::startup_cache
