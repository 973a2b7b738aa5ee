#include "startup_cache/startup_cache_job.h"

#include <gtest/gtest.h>

namespace launcher::startup_cache {

namespace {

CacheBuildJob Job() {
  return {L"/jdk/bin/java",        {L"-server", L"-Xshare:dump", L"-cp", L""},
          L"/c/f-k-1.classlist",   L"/c/f-k-1.tmp",
          L"/c/f-k.jsa",           L"/c/f-k.stamp",
          L"/c/f-k-1.out",         L"/c/f-k.failed",
          L"/c/Caf\u00E9 \u00FC/", L"f",
          L"/c/f-k-1.job"};
}

void ExpectSame(const CacheBuildJob& a, const CacheBuildJob& b) {
  EXPECT_EQ(a.javaProgram, b.javaProgram);
  EXPECT_EQ(a.arguments, b.arguments);
  EXPECT_EQ(a.classList, b.classList);
  EXPECT_EQ(a.temporaryArchive, b.temporaryArchive);
  EXPECT_EQ(a.archive, b.archive);
  EXPECT_EQ(a.stamp, b.stamp);
  EXPECT_EQ(a.output, b.output);
  EXPECT_EQ(a.failureMarker, b.failureMarker);
  EXPECT_EQ(a.folder, b.folder);
  EXPECT_EQ(a.family, b.family);
  EXPECT_EQ(a.jobFile, b.jobFile);
}

TEST(StartupCacheJobTest, AJobReadsBackWholeWithAnEmptyLastArgument) {
  const std::optional<CacheBuildJob> parsed = ParseJob(SerializeJob(Job()));
  ASSERT_TRUE(parsed);
  ExpectSame(*parsed, Job());
}

TEST(StartupCacheJobTest, AJobWithoutArgumentsReadsBack) {
  CacheBuildJob job = Job();
  job.arguments.clear();
  const std::optional<CacheBuildJob> parsed = ParseJob(SerializeJob(job));
  ASSERT_TRUE(parsed);
  EXPECT_TRUE(parsed->arguments.empty());
}

TEST(StartupCacheJobTest, OtherTextIsNoJob) {
  EXPECT_FALSE(ParseJob(""));
  EXPECT_FALSE(ParseJob("some document\nthat is not a job"));
  std::string cut = SerializeJob(Job());
  cut.resize(cut.find("/c/f-k.jsa"));
  EXPECT_FALSE(ParseJob(cut));
}

}  // namespace

}  // namespace launcher::startup_cache
