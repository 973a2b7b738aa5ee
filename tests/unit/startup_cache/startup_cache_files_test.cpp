#include "startup_cache/startup_cache_files.h"

#include <gtest/gtest.h>

#include "platform/paths.h"

namespace launcher::startup_cache {

namespace {

TEST(StartupCacheFilesTest, NamesShareFamilyAndKeyAndRunFilesAddTheProcess) {
  const StartupCacheFiles files = NameCacheFiles(L"/c/", "f1", "k2", CacheMechanism::ClassDataArchive, 4711);
  EXPECT_EQ(files.archive, L"/c/f1-k2.jsa");
  EXPECT_EQ(files.stamp, L"/c/f1-k2.stamp");
  EXPECT_EQ(files.failureMarker, L"/c/f1-k2.failed");
  EXPECT_EQ(files.classList, L"/c/f1-k2-4711.classlist");
  EXPECT_EQ(files.temporaryArchive, L"/c/f1-k2-4711.tmp");
  EXPECT_EQ(files.output, L"/c/f1-k2-4711.out");
  EXPECT_EQ(files.jobFile, L"/c/f1-k2-4711.job");
  EXPECT_EQ(NameCacheFiles(L"/c/", "f1", "k2", CacheMechanism::AotCache, 1).archive, L"/c/f1-k2.aot");
}

TEST(StartupCacheFilesTest, PathsTheRuntimeCannotTakeInAnOption) {
  EXPECT_TRUE(PathSuitsRuntimeOptions(L"/home/user/.cache/App/1.0/StartupCache/a-b.jsa"));
  EXPECT_TRUE(PathSuitsRuntimeOptions(L"C\\Users\\Ann Lee\\AppData\\Local\\a-b.jsa"));
  // -XX:DumpLoadedClassList expands %p and %t.
  EXPECT_FALSE(PathSuitsRuntimeOptions(L"/home/100%/a.jsa"));
  // -XX:SharedArchiveFile takes two archives separated like a class path.
  EXPECT_FALSE(PathSuitsRuntimeOptions(L"/c/a" + WideString(1, platform::kPathListSeparator) + L"b.jsa"));
}

TEST(StartupCacheFilesTest, ArchivesAndMarkersLastWorkingFilesDoNot) {
  for (const wchar_t* name : {L"f-k.jsa", L"f-k.aot", L"f-k.stamp", L"f-k.failed"}) {
    EXPECT_TRUE(IsLastingCacheFile(name)) << name;
  }
  for (const wchar_t* name : {L"f-k-1.classlist", L"f-k-1.tmp", L"f-k-1.out", L"f-k-1.job", L"jsa"}) {
    EXPECT_FALSE(IsLastingCacheFile(name)) << name;
  }
}

TEST(StartupCacheFilesTest, AStampTellsSizeAndTime) {
  EXPECT_EQ(StampText({true, true, 13185024, 1765230000123456789}), "13185024 1765230000123456789\n");
  EXPECT_NE(StampText({true, true, 13185024, 1765230000123456789}),
            StampText({true, true, 13185024, 1765230000123456790}));
}

// Only the runtime's own refusal is final; whatever ended the build from
// outside (a kill, a shutdown, the time limit, a full disk) is tried again.
TEST(BuildEndingTest, OnlyTheRuntimesRefusalIsFinal) {
  struct Case {
    BuildOutcome outcome;
    BuildEnding ending;
  } cases[] = {
      {{.exitCode = 0u, .archivePlaced = true}, BuildEnding::Built},
      {{.exitCode = std::nullopt}, BuildEnding::BrokenOff},  // killed by a signal, or timed out
      {{.exitCode = 137u}, BuildEnding::BrokenOff},          // a shell's report of SIGKILL
      {{.exitCode = 0xC000013Au}, BuildEnding::BrokenOff},   // a console closed at shutdown
      {{.exitCode = 0u}, BuildEnding::Refused},              // ended on its own, yet no archive in place
      {{.exitCode = 1u, .diskFull = true}, BuildEnding::DiskFull},
      {{.exitCode = 1u}, BuildEnding::Refused},
      {{.exitCode = 3u}, BuildEnding::Refused},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyBuildEnding(c.outcome), c.ending) << c.outcome.exitCode.value_or(99999);
  }
  EXPECT_EQ(ReadBuildRecord("attempts 2\nlog").attempts, 2);
  EXPECT_FALSE(ReadBuildRecord("attempts 2\nlog").GivenUp());
  EXPECT_TRUE(ReadBuildRecord("attempts 1 final\n").GivenUp());
  EXPECT_TRUE(ReadBuildRecord("attempts 2 later\n").GivenUp());  // not of this making: final
  EXPECT_EQ(BuildRecordText({2, false}, "log\n"), "attempts 2\nlog\n");
}

}  // namespace

}  // namespace launcher::startup_cache
