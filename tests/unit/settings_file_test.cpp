#include "launcher/settings_file.h"

#include <gtest/gtest.h>

#include "launcher/launcher.h"
#include "test_support.h"

namespace {

using test::Join;

class ReadSettingsTest : public testing::Test {
 protected:
  ReadSettingsTest()
      : appData_(L"APPDATA", dir_.Path(L"user")), xdg_(L"XDG_CONFIG_HOME", dir_.Path(L"user")) {}

  bool Read(const std::string& ini, std::optional<WideString> builtin = std::nullopt) {
    if (!ini.empty()) test::WriteBytes(dir_.Path(L"app.ini"), ini);
    fake_ = std::make_unique<test::FakeHost>(dir_.Path(L"app.exe"), builtin);
    launcher_ = std::make_unique<Launcher>(fake_->host);
    return ReadSettings(*launcher_);
  }

  test::TempDir dir_;
  test::ScopedEnvironment appData_;
  test::ScopedEnvironment xdg_;
  std::unique_ptr<test::FakeHost> fake_;
  std::unique_ptr<Launcher> launcher_;
};

TEST_F(ReadSettingsTest, MissingMainClassIsTheOneMessage) {
  EXPECT_FALSE(Read(""));  // no settings file at all
  EXPECT_EQ(fake_->ui.errors, std::vector<WideString>{L"Main class was not specified in INI file."});
  EXPECT_EQ(fake_->ui.owners, std::vector<WindowHandle>{nullptr});

  // Keys after "Main Class" are then not read.
  EXPECT_FALSE(Read("[Application]\r\nFailure Check=Yes\r\nMain Class=\r\n"));
  EXPECT_FALSE(launcher_->failureCheck);
}

TEST_F(ReadSettingsTest, ReadsEveryKey) {
  ASSERT_TRUE(Read(
      "[Product Information]\r\nProduct Name=My App\r\nProduct Code=v1\r\n"
      "[Application]\r\nMain Class=com.example.Main\r\nFailure Check=YES\r\nOverride WorkingDir=yes\r\n"
      "Pair Product=app32.exe\r\nPair Return Code=yes\r\nApplication Type=Service\r\n"
      "[Java Runtime Environment]\r\nMinimum Version=1.6\r\nMaximum Version=any\r\n"
      "Preferred versions=1.8;11\r\nJRE Path=jre\r\nJVM Type=favor_server\r\nJVM Source=only_JDK\r\n"
      "VM Provider=favor_ibm\r\nSystem Path=C:\\tools\r\nLibrary Path=native\r\n"));
  const Launcher& l = *launcher_;
  EXPECT_TRUE(fake_->ui.errors.empty());
  EXPECT_EQ(l.productName, L"My App");
  EXPECT_EQ(l.productCode, L"v1");
  EXPECT_EQ(l.mainClassName, L"com/example/Main");
  EXPECT_TRUE(l.failureCheck);
  EXPECT_TRUE(l.overrideWorkingDirectory);
  EXPECT_EQ(l.pairProduct, L"app32.exe");
  EXPECT_TRUE(l.pairReturnCode);
  EXPECT_FALSE(l.serviceMode);  // "service" exactly, in small letters
  EXPECT_EQ(Format(l.minimumVersion), L"1.6");
  EXPECT_EQ(Compare(l.maximumVersion, JavaVersion::Any(65535)), 0);
  EXPECT_EQ(l.preferredVersions, (WideStringList{L"1.8", L"11"}));
  EXPECT_EQ(l.jrePathSetting, L"jre");
  EXPECT_EQ(l.jvmTypeMode, JvmTypeMode::FavorServer);
  EXPECT_FALSE(l.anySource);
  EXPECT_TRUE(l.jdkWanted);
  EXPECT_FALSE(l.jreWanted);
  EXPECT_TRUE(l.ibmFavoured);
  EXPECT_EQ(l.systemPathSetting, L"C:\\tools");
  EXPECT_EQ(l.libraryPathSetting, L"native");
}

TEST_F(ReadSettingsTest, DefaultsWhenKeysAreAbsent) {
  ASSERT_TRUE(Read("[Application]\r\nMain Class=Main\r\n"));
  const Launcher& l = *launcher_;
  EXPECT_EQ(Compare(l.minimumVersion, JavaVersion()), 0);
  EXPECT_EQ(Compare(l.maximumVersion, JavaVersion()), 0);  // absent maximum: 0.0.0.0
  EXPECT_TRUE(l.anySource && l.jdkWanted && l.jreWanted);
  EXPECT_TRUE(l.sunAccepted && l.sunFavoured);
  EXPECT_FALSE(l.failureCheck || l.pairReturnCode || l.overrideWorkingDirectory || l.serviceMode);
  EXPECT_EQ(l.jvmTypeMode, JvmTypeMode::Default);
  EXPECT_TRUE(l.preferredVersions.empty());
}

TEST_F(ReadSettingsTest, BuiltInSettingsAreTheLowestLayer) {
  ASSERT_TRUE(Read("[Java Runtime Environment+]\r\nSystem Path=more\r\n",
                   L"[Application]\r\nMain Class=a.B\r\n[Java Runtime Environment]\r\nSystem Path=base\r\n"));
  EXPECT_EQ(launcher_->mainClassName, L"a/B");
  EXPECT_EQ(launcher_->systemPathSetting, L"base more");
}

TEST_F(ReadSettingsTest, JrePathComesFromThePerUserFileWhenItExists) {
  const std::string ini =
      "[Product Information]\r\nProduct Name=P/Q\r\nProduct Code=C1\r\n"
      "[Java Runtime Environment]\r\nJRE Path=beside\r\n[Application]\r\nMain Class=M\r\n";
  ASSERT_TRUE(Read(ini));
  EXPECT_EQ(launcher_->jrePathSetting, L"beside");

  test::WriteBytes(Join({dir_.Path(L"user"), L"PQ", L"C1", L"app.ini"}),
                   "[Java Runtime Environment]\r\nJRE Path=per-user\r\n");
  ASSERT_TRUE(Read(ini));
  EXPECT_EQ(launcher_->jrePathSetting, L"per-user");

  // A service never reads the per-user file.
  ASSERT_TRUE(Read(ini + "Application Type=service\r\n"));
  EXPECT_TRUE(launcher_->serviceMode);
  EXPECT_EQ(launcher_->jrePathSetting, L"beside");
}

TEST_F(ReadSettingsTest, AModulePathThatCannotBeReadIsReported) {
  test::RecordingUi ui;
  test::FakeRegistry registry;
  Host host{ui, registry, [] { return platform::ModulePathResult{false, L"", 2}; }, [] { return std::nullopt; }};
  Launcher launcher(host);
  EXPECT_FALSE(ReadSettings(launcher));
  EXPECT_EQ(ui.errors, std::vector<WideString>{L"Windows exception: failed to get the module path (errno = 2).\n"});
}

}  // namespace
