#include "runtime_install/install_pipeline.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "archive_builder.h"
#include "platform/files.h"
#include "platform/runtime_layout.h"
#include "platform/text.h"
#include "test_support.h"

namespace launcher::runtime_install {

namespace {

using runtime_install::FailureKind;
using runtime_install::InstallPhase;
using runtime_install::InstallProgress;
using runtime_install::RuntimeStore;
namespace fs = std::filesystem;

std::string Runtime(const std::string& version, const std::string& library = "a JVM library") {
  return test::MakeRuntimeZip(version, library);
}

std::string Sha256Of(const std::string& bytes) { return test::Sha256Hex(bytes); }

class InstallPipelineTest : public testing::Test {
 protected:
  // An archive shipped beside the executable, and a request for it.
  runtime_install::InstallRequest Request(const std::string& archive, const std::string& sha256) {
    const WideString name = L"runtime" + std::to_wstring(archives_++) + L".zip";
    test::WriteBytes(dir_.Path(name), archive);
    runtime_install::InstallRequest request;
    request.sources = {name};
    request.executableFolder = dir_.Path();
    request.sha256 = *runtime_install::ParseSha256(sha256);
    request.storeFolder = dir_.Path(L"store");
    request.requirements.minimum = ParseLowerBound(L"17");
    request.requirements.maximum = ParseUpperBound(L"21");
    return request;
  }

  platform::Expected<runtime_install::StoredRuntime, runtime_install::InstallFailure> Install(
      const runtime_install::InstallRequest& request) {
    return runtime_install::InstallRuntime(
        request,
        {.progress = [&](const InstallProgress& progress) { phases.push_back(progress.phase); },
         .cancelled = [&] { return cancel; }},
        trace);
  }

  // What the store holds besides its lock file.
  std::vector<std::string> StoreContents() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(test::NativePath(dir_.Path(L"store")))) {
      if (entry.path().filename() != "install.lock") names.push_back(entry.path().filename().string());
    }
    return names;
  }

  test::TempDir dir_;
  test::RecordingTrace trace;
  std::vector<InstallPhase> phases;
  bool cancel = false;
  int archives_ = 0;
};

TEST_F(InstallPipelineTest, TheArchiveBesideTheExecutableIsInstalledOnceThenFound) {
  const std::string archive = Runtime("17.0.10");
  const runtime_install::InstallRequest request = Request(archive, Sha256Of(archive));
  auto installed = Install(request);
  ASSERT_TRUE(installed) << runtime_install::Describe(installed.error());
  const std::string key = Sha256Of(archive).substr(0, 16);
  EXPECT_EQ(installed->home, test::Join({dir_.Path(L"store"), platform::FromUtf8(key), L"runtime", L"jdk-17.0.10"}));
  EXPECT_EQ(installed->version, "17.0.10");
  EXPECT_EQ(StoreContents(), std::vector<std::string>{key});
  EXPECT_EQ((std::vector<InstallPhase>{phases.front(), phases.back()}),
            (std::vector<InstallPhase>{InstallPhase::Downloading, InstallPhase::Unpacking}));

  // The next start reads no source at all.
  fs::remove(test::NativePath(dir_.Path(request.sources[0])));
  auto again = Install(request);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->home, installed->home);
}

TEST_F(InstallPipelineTest, SourcesAreTriedInOrderAndTheFirstFailureIsKept) {
  const std::string archive = Runtime("21");
  runtime_install::InstallRequest request = Request(archive, Sha256Of(archive));
  request.sources = {L"missing.zip", L"ftp://example.org/runtime.zip", request.sources[0]};
  ASSERT_TRUE(Install(request));

  request.sources = {L"missing.zip", L"ftp://example.org/runtime.zip"};
  request.storeFolder = dir_.Path(L"store2");
  auto failed = Install(request);
  ASSERT_FALSE(failed);
  EXPECT_EQ(failed.error().kind, FailureKind::SourceMissing);
  EXPECT_EQ(failed.error().source, L"missing.zip");
}

TEST_F(InstallPipelineTest, WrongBytesLeaveNothingInTheStore) {
  const std::string archive = Runtime("17");
  struct Case {
    const char* what;
    runtime_install::InstallRequest request;
    FailureKind kind;
  } cases[] = {
      {"hash", Request(archive, std::string(64, 'a')), FailureKind::HashMismatch},
      {"size", Request(archive, Sha256Of(archive)), FailureKind::TooLarge},
      {"version", Request(Runtime("11.0.2"), Sha256Of(Runtime("11.0.2"))), FailureKind::NotQualified},
      {"not an archive", Request("plain text", Sha256Of("plain text")), FailureKind::BadArchive},
      {"entry",
       Request(test::MakeZip({test::File("../evil", "x")}), Sha256Of(test::MakeZip({test::File("../evil", "x")}))),
       FailureKind::BadArchive},
  };
  cases[1].request.archiveSize = archive.size() - 1;
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto failed = Install(c.request);
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.error().kind, c.kind) << runtime_install::Describe(failed.error());
    EXPECT_EQ(StoreContents(), std::vector<std::string>{});
  }
  auto mismatch = Install(cases[0].request);
  EXPECT_EQ(mismatch.error().expectedSha256, std::string(64, 'a'));
  EXPECT_EQ(mismatch.error().actualSha256, Sha256Of(archive));
  EXPECT_EQ(Install(cases[1].request).error().sizeLimit, archive.size() - 1);
  EXPECT_EQ(Install(cases[2].request).error().reason, "version 11.0.2 is below \"Minimum Version\" 17.0.0.0");
  EXPECT_EQ(Install(cases[4].request).error().entry, "../evil");
  EXPECT_FALSE(fs::exists(test::NativePath(dir_.Path(L"evil"))));
}

TEST_F(InstallPipelineTest, A32BitRuntimeDoesNotQualify) {
  const std::string i386 = test::ReadBytes(test::Join({TEST_IMAGE_FOLDER L"", L"tiny_i686.dll"}));
  ASSERT_FALSE(i386.empty());
  const std::string archive = Runtime("17", i386);
  auto failed = Install(Request(archive, Sha256Of(archive)));
  ASSERT_FALSE(failed);
  EXPECT_EQ(failed.error().kind, FailureKind::NotQualified);
  EXPECT_EQ(failed.error().reason, "a 32-bit JVM library, which this launcher cannot load");
}

TEST_F(InstallPipelineTest, CancelEndsTheInstall) {
  const std::string archive = Runtime("17");
  cancel = true;
  auto failed = Install(Request(archive, Sha256Of(archive)));
  ASSERT_FALSE(failed);
  EXPECT_EQ(failed.error().kind, FailureKind::Cancelled);
}

// A start that finds the lock taken waits, then uses what the other start installed.
TEST_F(InstallPipelineTest, AWaitingStartUsesTheRuntimeTheOtherInstalled) {
  const std::string archive = Runtime("17");
  runtime_install::InstallRequest request = Request(archive, Sha256Of(archive));
  const RuntimeStore store(request.storeFolder);
  platform::MakeFolders(request.storeFolder);
  auto lock = platform::FileLock::TryTake(store.LockFile());
  ASSERT_TRUE(lock && *lock);
  fs::remove(test::NativePath(dir_.Path(request.sources[0])));  // this start could not fetch it itself

  std::atomic<bool> waiting = false;
  std::optional<platform::Expected<runtime_install::StoredRuntime, runtime_install::InstallFailure>> result;
  std::thread start([&] {
    result = runtime_install::InstallRuntime(
        request,
        {.progress =
             [&](const InstallProgress& p) { waiting = waiting || p.phase == InstallPhase::WaitingForOtherStart; },
         .cancelled = [] { return false; }},
        NoTrace());
  });
  while (!waiting) std::this_thread::yield();
  const std::string key = Sha256Of(archive).substr(0, 16);
  test::Touch(test::Join({RuntimeStore::ContentFolder(store.UnpackFolder(key)), L"jdk", L"release"}));
  ASSERT_TRUE(store.Complete(key, runtime_install::MarkerText(Sha256Of(archive), "jdk", "17")));
  lock->reset();
  start.join();
  ASSERT_TRUE(*result);
  EXPECT_EQ((*result)->home, test::Join({store.RuntimeFolder(key), L"runtime", L"jdk"}));
}

}  // namespace

}  // namespace launcher::runtime_install
