#include "settings/read_settings.h"

#include <gtest/gtest.h>

#include "common/message_text.h"
#include "settings/settings_file_check.h"
#include "test_support.h"

namespace {

using test::Join;

class ReadSettingsTest : public testing::Test {
 protected:
  ReadSettingsTest() : appData_(L"APPDATA", dir_.Path(L"user")), xdg_(L"XDG_CONFIG_HOME", dir_.Path(L"user")) {}

  bool Read(const std::string& ini, std::optional<WideString> builtin = std::nullopt) {
    if (!ini.empty()) test::WriteBytes(dir_.Path(L"app.ini"), ini);
    settings_.emplace(ReadSettings(*LocateExecutable({true, dir_.Path(L"app.exe"), 0}), builtin));
    return static_cast<bool>(*settings_);
  }

  const LauncherSettings& Settings() const { return **settings_; }

  test::TempDir dir_;
  test::ScopedEnvironment appData_;
  test::ScopedEnvironment xdg_;
  std::optional<Result<LauncherSettings>> settings_;
};

TEST_F(ReadSettingsTest, MissingMainClassIsTheOneMessage) {
  EXPECT_FALSE(Read(""));  // no settings file at all
  EXPECT_EQ(MessageOf(settings_->error()), L"Main class was not specified in INI file.");

  EXPECT_FALSE(Read("[Application]\r\nFailure Check=Yes\r\nMain Class=\r\n"));
  EXPECT_EQ(MessageOf(settings_->error()), L"Main class was not specified in INI file.");
}

// Only a regular file is read: a folder in its place reads as no file, and the
// built-in settings alone apply. A file above the limit is refused by name.
TEST_F(ReadSettingsTest, OnlyARegularFileOfBoundedSizeIsRead) {
  const WideString builtin = L"[Application]\r\nMain Class=builtin.Main\r\n";
  std::filesystem::create_directories(test::NativePath(dir_.Path(L"app.ini")));
  ASSERT_TRUE(Read("", builtin));
  EXPECT_EQ(Settings().application.mainClass, L"builtin/Main");
  std::filesystem::remove(test::NativePath(dir_.Path(L"app.ini")));

  const std::string header = "[Application]\r\nMain Class=file.Main\r\n; ";
  const size_t limit = kLargestSettingsFileMegabytes << 20;
  ASSERT_TRUE(Read(header + std::string(limit - header.size(), 'x'), builtin));
  EXPECT_EQ(Settings().application.mainClass, L"file/Main");
  EXPECT_FALSE(Read(header + std::string(limit - header.size() + 1, 'x'), builtin));
  EXPECT_EQ(MessageOf(settings_->error()),
            L"The settings file " + dir_.Path(L"app.ini") + L" is too large: a settings file holds at most 2 MB.");
}

TEST_F(ReadSettingsTest, AnExecutableWithoutSettingsFileFailsSilently) {
  ExecutableLocation location{dir_.Path(L"app"), dir_.Path(L""), std::nullopt};
  Result<LauncherSettings> settings = ReadSettings(location, std::nullopt);
  ASSERT_FALSE(settings);
  EXPECT_TRUE(settings.error().IsSilent());
}

TEST_F(ReadSettingsTest, ReadsEveryKey) {
  ASSERT_TRUE(
      Read("[Product Information]\r\nProduct Name=My App\r\nProduct Code=v1\r\n"
           "[Application]\r\nMain Class=com.example.Main\r\nFailure Check=YES\r\nOverride WorkingDir=yes\r\n"
           "Pair Product=app32.exe\r\nPair Return Code=yes\r\nApplication Type=Service\r\n"
           "[Java Runtime Environment]\r\nMinimum Version=1.6\r\nMaximum Version=any\r\n"
           "Preferred versions=1.8;11\r\nJRE Path=jre\r\nJVM Type=favor_server\r\nJVM Source=only_JDK\r\n"
           "VM Provider=favor_ibm\r\nSystem Path=C:\\tools\r\nLibrary Path=native\r\n"));
  const LauncherSettings& l = Settings();
  EXPECT_EQ(l.product.name, L"My App");
  EXPECT_EQ(l.product.code, L"v1");
  EXPECT_EQ(l.application.mainClass, L"com/example/Main");
  EXPECT_TRUE(l.application.failureCheck);
  EXPECT_TRUE(l.application.overrideWorkingDirectory);
  EXPECT_EQ(l.product.pairProduct, L"app32.exe");
  EXPECT_TRUE(l.product.pairReturnCode);
  EXPECT_FALSE(l.product.serviceMode);  // "service" exactly, in small letters
  EXPECT_EQ(Format(l.runtime.minimum), L"1.6");
  EXPECT_EQ(Compare(l.runtime.maximum, JavaVersion::Any(65535)), 0);
  EXPECT_EQ(l.runtime.preferredVersions, (WideStringList{L"1.8", L"11"}));
  EXPECT_EQ(l.runtime.jrePath, L"jre");
  EXPECT_EQ(l.runtime.jvmType, JvmTypeMode::FavorServer);
  EXPECT_EQ(l.runtime.source, SourcePolicy::OnlyJdk);
  EXPECT_EQ(l.runtime.vendor, VendorPolicy::FavorIbm);
  EXPECT_EQ(l.environment.systemPath, L"C:\\tools");
  EXPECT_EQ(l.environment.libraryPath, L"native");
}

TEST_F(ReadSettingsTest, ReadsTheKeysOfTheLaunchAsWritten) {
  ASSERT_TRUE(
      Read("[Application]\r\nMain Class=M\r\nEmbedded Jar=yes\r\nOutput File=%TEMP%\\out.log\r\nOutput Append=yes\r\n"
           "Error File=err.log\r\nError Append=Yes\r\nCmd=-x %HOME%\r\n"
           "[Class Path]\r\nClass Path=lib\\*.jar;%APP%\\a.jar\r\n"
           "[Java Runtime Environment]\r\nVirtual Machine Parameters=-Xmx1g \"-Da=b c\"\r\n"));
  const LauncherSettings& l = Settings();
  EXPECT_EQ(l.classPath.entries, L"lib\\*.jar;%APP%\\a.jar");  // references expanded only when planned
  EXPECT_TRUE(l.classPath.embeddedJar);
  EXPECT_EQ(l.output.output.file, L"%TEMP%\\out.log");
  EXPECT_TRUE(l.output.output.append);
  EXPECT_EQ(l.output.error.file, L"err.log");
  EXPECT_FALSE(l.output.error.append);  // "yes" exactly
  EXPECT_EQ(l.application.cmd, L"-x %HOME%");
  EXPECT_EQ(l.vmParameters, L"-Xmx1g \"-Da=b c\"");
}

TEST_F(ReadSettingsTest, DefaultsWhenKeysAreAbsent) {
  ASSERT_TRUE(Read("[Application]\r\nMain Class=Main\r\n"));
  const LauncherSettings& l = Settings();
  EXPECT_EQ(Compare(l.runtime.minimum, JavaVersion()), 0);
  EXPECT_EQ(Compare(l.runtime.maximum, JavaVersion()), 0);  // absent maximum: 0.0.0.0
  EXPECT_EQ(l.runtime.source, SourcePolicy::Either);
  EXPECT_EQ(l.runtime.vendor, VendorPolicy::SunOnly);
  EXPECT_FALSE(l.application.failureCheck || l.product.pairReturnCode || l.application.overrideWorkingDirectory ||
               l.product.serviceMode || l.classPath.embeddedJar);
  EXPECT_EQ(l.runtime.jvmType, JvmTypeMode::Default);
  EXPECT_TRUE(l.runtime.preferredVersions.empty());
}

TEST_F(ReadSettingsTest, BuiltInSettingsAreTheLowestLayer) {
  ASSERT_TRUE(Read("[Java Runtime Environment+]\r\nSystem Path=more\r\n",
                   L"[Application]\r\nMain Class=a.B\r\n[Java Runtime Environment]\r\nSystem Path=base\r\n"));
  EXPECT_EQ(Settings().application.mainClass, L"a/B");
  EXPECT_EQ(Settings().environment.systemPath, L"base more");
}

TEST_F(ReadSettingsTest, JrePathComesFromThePerUserFileWhenItExists) {
  const std::string ini =
      "[Product Information]\r\nProduct Name=P/Q\r\nProduct Code=C1\r\n"
      "[Java Runtime Environment]\r\nJRE Path=beside\r\n[Application]\r\nMain Class=M\r\n";
  ASSERT_TRUE(Read(ini));
  EXPECT_EQ(Settings().runtime.jrePath, L"beside");

  test::WriteBytes(Join({dir_.Path(L"user"), L"PQ", L"C1", L"app.ini"}),
                   "[Java Runtime Environment]\r\nJRE Path=per-user\r\n");
  ASSERT_TRUE(Read(ini));
  EXPECT_EQ(Settings().runtime.jrePath, L"per-user");

  // A service never reads the per-user file.
  ASSERT_TRUE(Read(ini + "Application Type=service\r\n"));
  EXPECT_TRUE(Settings().product.serviceMode);
  EXPECT_EQ(Settings().runtime.jrePath, L"beside");
}

}  // namespace
