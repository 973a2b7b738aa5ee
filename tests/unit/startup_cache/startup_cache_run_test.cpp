#include "startup_cache/startup_cache_run.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/runtime_layout.h"
#include "platform/text.h"
#include "test_support.h"

namespace launcher::startup_cache {

namespace {

using test::Join;

// A Java 17 runtime, a jar, and the user's cache folder, for a launcher whose
// background copy cannot be started: a build that is tried gives up its class
// list at once, which tells whether and when one was tried.
class StartupCacheRunTest : public testing::Test {
 protected:
  StartupCacheRunTest()
      : xdgCache_(L"XDG_CACHE_HOME", dir_.Path(L"cache")), localAppData_(L"LOCALAPPDATA", dir_.Path(L"cache")) {
    test::WriteBytes(Join({Home(), L"release"}), "JAVA_VERSION=\"17.0.2\"\n");
    test::Touch(Join({Home(), platform::kJavaProgram}));
    test::Touch(Library());
    test::WriteBytes(Jar(), "jar bytes");
    product_.name = L"Product";
  }

  WideString Home() const { return dir_.Path(L"jdk"); }
  WideString Library() const { return Join({Home(), L"lib", L"server", L"libjvm.so"}); }
  WideString Jar() const { return Join({dir_.Path(L"app"), L"a.jar"}); }

  test::TempDir dir_;
  test::ScopedEnvironment xdgCache_;
  test::ScopedEnvironment localAppData_;
  const settings::StartupCacheSettings settings_{.enabled = true};
  settings::ProductSettings product_;
  const WideString launcher_ = Join({dir_.Path(L"app"), L"missing-launcher"});
  const JvmOptionList planOptions_{"-Djava.class.path=" + platform::ToAnsi(Jar()), "-Xmx64m"};
  test::RecordingTrace trace_;
};

TEST_F(StartupCacheRunTest, TheBuildStartsOnceWhenTheApplicationHasEndedAndNeverAfterARunCutShort) {
  StartupCacheRun run({settings_, product_, launcher_, Home(), Library(), planOptions_}, trace_);
  ASSERT_EQ(run.Options().size(), 1u);
  const std::string record = "-XX:DumpLoadedClassList=";
  ASSERT_EQ(run.Options()[0].rfind(record, 0), 0u) << run.Options()[0];
  const WideString classList = platform::FromAnsi(run.Options()[0].substr(record.size()));
  EXPECT_EQ(classList.rfind(Join({dir_.Path(L"cache"), L"Product", L"StartupCache"}), 0), 0u);
  ASSERT_TRUE(platform::FileExists(classList));
  ASSERT_EQ(trace_.Events("startup-cache").size(), 1u);
  EXPECT_NE(trace_.lines.back().find(" build-after=yes"), std::string::npos) << trace_.lines.back();

  run.ApplicationEnded(ApplicationEnd::Failed);
  run.OnAbort();
  EXPECT_TRUE(platform::FileExists(classList));
  run.OnExit(3);
  EXPECT_FALSE(platform::FileExists(classList));
  test::WriteBytes(classList, "");
  run.ApplicationEnded(ApplicationEnd::MainEnded);
  EXPECT_TRUE(platform::FileExists(classList));
}

TEST_F(StartupCacheRunTest, ARunThatEndsAfterMainStartsTheBuildToo) {
  StartupCacheRun run({settings_, product_, launcher_, Home(), Library(), planOptions_}, trace_);
  ASSERT_EQ(run.Options().size(), 1u);
  const WideString classList = platform::FromAnsi(run.Options()[0].substr(run.Options()[0].find('=') + 1));
  ASSERT_TRUE(platform::FileExists(classList));
  run.ApplicationEnded(ApplicationEnd::MainEnded);
  EXPECT_FALSE(platform::FileExists(classList));
}

}  // namespace

}  // namespace launcher::startup_cache
