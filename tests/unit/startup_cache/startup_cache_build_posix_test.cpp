#include "startup_cache/startup_cache_build.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "platform/files.h"
#include "startup_cache/startup_cache_files.h"
#include "test_support.h"

namespace launcher::startup_cache {

namespace {

using test::Join;

// The build waits for its standard input to end, which tells that the
// launcher has ended: here it ends at once.
class EmptyInput {
 public:
  EmptyInput() : saved_(::dup(0)) {
    const int empty = ::open("/dev/null", O_RDONLY);
    ::dup2(empty, 0);
    ::close(empty);
  }
  ~EmptyInput() {
    ::dup2(saved_, 0);
    ::close(saved_);
  }

 private:
  int saved_;
};

// A cache folder, a job whose "java" is a script, and the files of earlier runs.
class StartupCacheBuildTest : public testing::Test {
 protected:
  WideString Folder() const { return dir_.Path(L"cache") + L"/"; }
  WideString InCache(const WideString& name) const { return Folder() + name; }

  CacheBuildJob Job(const std::string& script) {
    const WideString java = dir_.Path(L"java");
    test::WriteBytes(java, "#!/bin/sh\n" + script);
    ::chmod(test::NativePath(java).c_str(), 0755);
    test::WriteBytes(InCache(L"fam-key-7.classlist"), "java/lang/Object id: 0\n");
    CacheBuildJob job{java,
                      {InCache(L"fam-key-7.tmp")},
                      InCache(L"fam-key-7.classlist"),
                      InCache(L"fam-key-7.tmp"),
                      InCache(L"fam-key.jsa"),
                      InCache(L"fam-key.stamp"),
                      InCache(L"fam-key-7.out"),
                      InCache(L"fam-key.failed"),
                      Folder(),
                      L"fam",
                      InCache(L"fam-key-7.job")};
    test::WriteBytes(job.jobFile, SerializeJob(job));
    return job;
  }

  void MakeOld(const WideString& path) {
    std::filesystem::last_write_time(test::NativePath(path),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(48));
  }

  bool Exists(const WideString& name) const { return platform::FileExists(InCache(name)); }

  test::TempDir dir_;
  EmptyInput input_;
};

TEST_F(StartupCacheBuildTest, ABuiltArchiveReplacesTheOlderOnesOfItsFamily) {
  const CacheBuildJob job = Job("echo building; printf archive >\"$1\"\n");
  for (const wchar_t* name : {L"fam-old.jsa", L"fam-old.stamp", L"fam-older.aot", L"fam-other.failed",
                              L"fam-now-8.classlist", L"fam-gone-9.tmp", L"else-key.jsa"}) {
    test::WriteBytes(InCache(name), "x");
  }
  MakeOld(InCache(L"fam-gone-9.tmp"));
  EXPECT_EQ(RunCacheBuild(job.jobFile), 0);
  EXPECT_EQ(test::ReadBytes(job.archive), "archive");
  EXPECT_EQ(test::ReadBytes(job.stamp), StampText(platform::QueryFileIdentity(job.archive)));
  for (const wchar_t* name :
       {L"fam-key-7.classlist", L"fam-key-7.tmp", L"fam-key-7.out", L"fam-key-7.job", L"fam-old.jsa", L"fam-old.stamp",
        L"fam-older.aot", L"fam-other.failed", L"fam-gone-9.tmp"}) {
    EXPECT_FALSE(Exists(name)) << test::NativePath(name);
  }
  // Another run's fresh working file, and another family's archive, stay.
  EXPECT_TRUE(Exists(L"fam-now-8.classlist"));
  EXPECT_TRUE(Exists(L"else-key.jsa"));
}

TEST_F(StartupCacheBuildTest, ABuildTheRuntimeRefusesIsFinalAndLeavesItsOutputInTheMarker) {
  const CacheBuildJob job = Job("printf half >\"$1\"; echo 'Error: no room'; exit 3\n");
  test::WriteBytes(InCache(L"fam-old.jsa"), "x");
  EXPECT_EQ(RunCacheBuild(job.jobFile), 1);
  EXPECT_EQ(
      test::ReadBytes(job.failureMarker),
      "attempts 1 final\nError: no room\n\n[build 1 of 3 ended: exit code 3, refused by the runtime, given up]\n");
  EXPECT_TRUE(ReadBuildRecord(test::ReadBytes(job.failureMarker)).GivenUp());
  for (const wchar_t* name :
       {L"fam-key.jsa", L"fam-key.stamp", L"fam-key-7.tmp", L"fam-key-7.out", L"fam-key-7.classlist"}) {
    EXPECT_FALSE(Exists(name)) << test::NativePath(name);
  }
  EXPECT_TRUE(Exists(L"fam-old.jsa"));
}

// The machine shuts down a moment after the application closed: the build is
// killed half-way. It is tried again, and given up after the third time.
TEST_F(StartupCacheBuildTest, AKilledBuildIsTriedAgainUntilTheThirdFailure) {
  for (int32_t attempt = 1; attempt <= kBuildAttempts; ++attempt) {
    const CacheBuildJob job = Job("printf half >\"$1\"; kill -KILL $$\n");
    EXPECT_EQ(RunCacheBuild(job.jobFile), 1);
    const BuildRecord record = ReadBuildRecord(test::ReadBytes(job.failureMarker));
    EXPECT_EQ(record.attempts, attempt);
    EXPECT_FALSE(record.final);
    EXPECT_EQ(record.GivenUp(), attempt == kBuildAttempts);
    // Nothing half-made stays, and no stamp without its archive.
    for (const wchar_t* name : {L"fam-key.jsa", L"fam-key.stamp", L"fam-key-7.tmp", L"fam-key-7.out"}) {
      EXPECT_FALSE(Exists(name)) << test::NativePath(name) << " after attempt " << attempt;
    }
  }
  EXPECT_NE(
      test::ReadBytes(InCache(L"fam-key.failed")).find("[build 3 of 3 ended: no exit code, broken off, given up]"),
      std::string::npos);
  // Given up: even a build that would succeed is not run.
  const CacheBuildJob job = Job("printf archive >\"$1\"\n");
  EXPECT_EQ(RunCacheBuild(job.jobFile), 1);
  EXPECT_FALSE(Exists(L"fam-key.jsa"));
}

TEST_F(StartupCacheBuildTest, ABuildWhoseOwnProcessIsKilledCountsAndALaterOneSucceeds) {
  // What the marker holds while the java program runs: the attempt is counted.
  const CacheBuildJob job =
      Job("cat '" + test::NativePath(InCache(L"fam-key.failed")).string() + "' >\"$0.seen\"; printf archive >\"$1\"\n");
  EXPECT_EQ(RunCacheBuild(job.jobFile), 0);
  EXPECT_EQ(test::ReadBytes(job.javaProgram + L".seen"), "attempts 1\n[build 1 of 3: broken off]\n");
  EXPECT_EQ(test::ReadBytes(job.archive), "archive");
  EXPECT_FALSE(Exists(L"fam-key.failed"));  // built: the record of failures goes
}

TEST_F(StartupCacheBuildTest, ABuildThatWritesNoArchiveFails) {
  const CacheBuildJob job = Job("exit 0\n");
  EXPECT_EQ(RunCacheBuild(job.jobFile), 1);
  EXPECT_FALSE(Exists(L"fam-key.jsa"));
  EXPECT_TRUE(Exists(L"fam-key.failed"));
}

TEST_F(StartupCacheBuildTest, AnEmptyClassListBuildsNothing) {
  const CacheBuildJob job = Job("printf archive >\"$1\"\n");
  test::WriteBytes(job.classList, "");
  EXPECT_EQ(RunCacheBuild(job.jobFile), 1);
  EXPECT_FALSE(Exists(L"fam-key.jsa"));
  EXPECT_FALSE(Exists(L"fam-key.failed"));
  EXPECT_FALSE(Exists(L"fam-key-7.classlist"));
}

TEST_F(StartupCacheBuildTest, AFileThatIsNotThisJobIsLeftAlone) {
  const WideString document = dir_.Path(L"notes.txt");
  test::WriteBytes(document, "not a job");
  EXPECT_EQ(RunCacheBuild(document), 1);
  EXPECT_TRUE(platform::FileExists(document));

  const CacheBuildJob job = Job("printf archive >\"$1\"\n");
  const WideString copy = dir_.Path(L"copy.job");
  test::WriteBytes(copy, test::ReadBytes(job.jobFile));
  EXPECT_EQ(RunCacheBuild(copy), 1);
  EXPECT_TRUE(platform::FileExists(copy));
  EXPECT_FALSE(Exists(L"fam-key.jsa"));
}

}  // namespace

}  // namespace launcher::startup_cache
