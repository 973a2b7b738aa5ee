#include "discovery/runtime_resolution.h"

#include <gtest/gtest.h>

#include "launcher/launcher.h"
#include "launcher/settings_file.h"
#include "launcher/settings_readers.h"
#include "platform/file_system.h"
#include "platform/last_error.h"
#include "platform/path_syntax.h"
#include "platform/runtime_layout.h"
#include "runtime_files.h"
#include "test_support.h"

namespace {

using test::Join;

const WideString kJre = L"Software\\JavaSoft\\Java Runtime Environment\\";

// The headers of a 32-bit x86 PE image: enough for the machine check.
std::string I386Image() {
  std::string image(0x40, '\0');
  image[0] = 'M';
  image[1] = 'Z';
  image[0x3C] = 0x40;
  return image + std::string("PE\0\0\x4C\x01", 6) + std::string(18, '\0');
}

class ResolveRuntimeTest : public testing::Test {
 protected:
  ResolveRuntimeTest()
      : appData_(L"APPDATA", dir_.Path(L"user")),
        xdg_(L"XDG_CONFIG_HOME", dir_.Path(L"user")),
        fake_(Join({dir_.Path(L"app"), L"app.exe"})),
        launcher_(fake_.host) {
    launcher_.maximumVersion = JavaVersion::Any(JavaVersion::kHighFill);
    launcher_.productName = L"Product";
    launcher_.productCode = L"Code";
  }

  WideString Folder(const WideString& name) { return dir_.Path(name) + platform::kPathSeparator; }

  // A runtime folder with a server library; returns the folder with its separator.
  WideString Runtime(const WideString& name, const std::string& library = "") {
    WideString home = Folder(name);
    test::WriteBytes(test::JvmLibraryPath(home, L"server"), library);
    return home;
  }

  WideString Library(const WideString& home) { return test::JvmLibraryPath(home, L"server"); }

  WideString ReadJrePath(const WideString& path) {
    return PlainReader{path}.ReadPlain(L"Java Runtime Environment", L"JRE Path");
  }

  test::TempDir dir_;
  test::ScopedEnvironment appData_;
  test::ScopedEnvironment xdg_;
  test::FakeHost fake_;
  Launcher launcher_;
};

TEST_F(ResolveRuntimeTest, TheSettingsFolderComesFirstWithOrWithoutSeparator) {
  WideString home = Runtime(L"configured");
  fake_.registry.AddRuntime(kJre, L"11", Runtime(L"registered"));
  launcher_.minimumVersion = ParseLowerBound(L"99");  // bounds do not apply to this folder
  for (const WideString& setting : {home, home.substr(0, home.size() - 1)}) {
    launcher_.jrePathSetting = setting;
    ASSERT_TRUE(ResolveRuntime(launcher_));
    EXPECT_EQ(launcher_.jvmLibraryPath, Library(home));
  }
  EXPECT_TRUE(fake_.ui.runtimeQuestions.empty());
  EXPECT_EQ(Compare(launcher_.chosenVersion, JavaVersion()), 0);
}

TEST_F(ResolveRuntimeTest, ASettingsFolderWithoutLibraryFallsThroughSilently) {
  launcher_.jrePathSetting = dir_.Path(L"nothing-here");
  WideString registered = Runtime(L"registered");
  fake_.registry.AddRuntime(kJre, L"11.0.2", registered);
  ASSERT_TRUE(ResolveRuntime(launcher_));
  EXPECT_EQ(launcher_.jvmLibraryPath, Library(registered));
  EXPECT_EQ(Format(launcher_.chosenVersion), L"11.0.2");
  EXPECT_TRUE(fake_.ui.errors.empty());
}

TEST_F(ResolveRuntimeTest, A32BitSettingsFolderHandsOverToThePairProduct) {
  launcher_.jrePathSetting = Runtime(L"rt32", I386Image());
  ASSERT_TRUE(ResolveRuntime(launcher_));
  EXPECT_FALSE(launcher_.relaunchPairProduct);  // no pair product: loaded as usual
  launcher_.pairProduct = L"app32.exe";
  ASSERT_TRUE(ResolveRuntime(launcher_));
  EXPECT_TRUE(launcher_.relaunchPairProduct);
}

TEST_F(ResolveRuntimeTest, PrivateRuntimeBeforeTheRegistry) {
  fake_.registry.AddRuntime(kJre, L"11", Runtime(L"registered"));
  WideString privateHome = Folder(L"app") + platform::kPrivateRuntimeFolder;
  test::AddJavaLibrary(privateHome);
  // A marker without a JVM library is passed over.
  ASSERT_TRUE(ResolveRuntime(launcher_));
  EXPECT_EQ(launcher_.jvmLibraryPath, Library(Folder(L"registered")));

  test::AddJvmLibrary(privateHome, L"client");
  launcher_.pairProduct = L"app32.exe";
  test::WriteBytes(test::JvmLibraryPath(privateHome, L"client"), I386Image());
  ASSERT_TRUE(ResolveRuntime(launcher_));
  EXPECT_EQ(launcher_.jvmLibraryPath, test::JvmLibraryPath(privateHome, L"client"));
  EXPECT_FALSE(launcher_.relaunchPairProduct);  // the machine is not checked for a private runtime
}

TEST_F(ResolveRuntimeTest, The32BitViewServesOnlyThePairProduct) {
  fake_.registry.AddRuntime(kJre, L"1.8", Runtime(L"rt32"), true);
  EXPECT_FALSE(ResolveRuntime(launcher_));
  EXPECT_EQ(fake_.ui.runtimeQuestions.size(), 1u);

  launcher_.pairProduct = L"app32.exe";
  ASSERT_TRUE(ResolveRuntime(launcher_));
  EXPECT_TRUE(launcher_.relaunchPairProduct);
  EXPECT_EQ(launcher_.jvmLibraryPath, Library(Folder(L"rt32")));
  EXPECT_EQ(Format(launcher_.chosenVersion), L"1.8");
  EXPECT_EQ(fake_.ui.runtimeQuestions.size(), 1u);  // no second question
}

TEST_F(ResolveRuntimeTest, ARegisteredFolderWithoutLibraryForTheModeAsksTheUser) {
  fake_.registry.AddRuntime(kJre, L"11", Runtime(L"server-only"));
  launcher_.jvmTypeMode = JvmTypeMode::Server;
  test::Touch(test::JvmLibraryPath(Folder(L"client-only"), L"client"));
  fake_.registry.AddRuntime(kJre, L"12", dir_.Path(L"client-only"));
  ASSERT_TRUE(ResolveRuntime(launcher_));  // the client-only runtime is no candidate in Server mode
  EXPECT_EQ(launcher_.jvmLibraryPath, Library(Folder(L"server-only")));
}

TEST_F(ResolveRuntimeTest, CancellingTheQuestionFailsAndWritesNothing) {
  launcher_.minimumVersion = ParseLowerBound(L"1.6");
  launcher_.jvmTypeMode = JvmTypeMode::Server;
  EXPECT_FALSE(ResolveRuntime(launcher_));
  ASSERT_EQ(fake_.ui.runtimeQuestions.size(), 1u);
  EXPECT_EQ(fake_.ui.runtimeQuestions[0],
            L"The Java Runtime Environment (JRE) was not found. Please  download and install a JRE with a server "
            L"JVM (minimum version 1.6) from:");
  EXPECT_EQ(fake_.ui.runtimeQuestionModes[0], JvmTypeMode::Server);
  EXPECT_FALSE(platform::FileExists(dir_.Path(L"user")));
}

TEST_F(ResolveRuntimeTest, ADialogThatCannotBeShownFailsWithOutOfMemory) {
  fake_.ui.runtimeAnswer.result = kDialogNotShown;
  EXPECT_FALSE(ResolveRuntime(launcher_));
  EXPECT_EQ(platform::LastError(), platform::kErrorOutOfMemory);
}

class WriteBackTest : public ResolveRuntimeTest {
 protected:
  void AnswerWith(const WideString& home) {
    fake_.ui.runtimeAnswer = {kDialogOk, home.substr(0, home.size() - 1), Library(home)};
  }

  WideString PerUser(const WideString& fileName) { return Join({dir_.Path(L"user"), L"Product", L"Code", fileName}); }
};

TEST_F(WriteBackTest, TheChosenFolderGoesToThePerUserFilesOfBothLaunchers) {
  WideString chosen = Runtime(L"chosen", I386Image());
  AnswerWith(chosen);
  launcher_.pairProduct = Join({dir_.Path(L"app32"), L"app32.exe"});
  ASSERT_TRUE(ResolveRuntime(launcher_));
  EXPECT_EQ(launcher_.jvmLibraryPath, Library(chosen));
  EXPECT_TRUE(launcher_.relaunchPairProduct);  // a 32-bit choice with a pair product
  EXPECT_EQ(ReadJrePath(PerUser(L"app.ini")), chosen);
  EXPECT_EQ(ReadJrePath(PerUser(L"app32.ini")), chosen);
  EXPECT_FALSE(platform::FileExists(Join({dir_.Path(L"app"), L"app.ini"})));  // never beside the launcher

  // The next start finds it in its first step.
  test::WriteBytes(Join({dir_.Path(L"app"), L"app.ini"}),
                   "[Product Information]\r\nProduct Name=Product\r\nProduct Code=Code\r\n"
                   "[Application]\r\nMain Class=Main\r\n");
  test::FakeHost next(Join({dir_.Path(L"app"), L"app.exe"}));
  Launcher again(next.host);
  ASSERT_TRUE(ReadSettings(again));
  EXPECT_EQ(again.jrePathSetting, chosen);
  ASSERT_TRUE(ResolveRuntime(again));
  EXPECT_TRUE(next.ui.runtimeQuestions.empty());
}

TEST_F(WriteBackTest, AServiceWritesTheSettingsFilesBesideTheLaunchers) {
  WideString chosen = Runtime(L"chosen");
  AnswerWith(chosen);
  launcher_.serviceMode = true;
  launcher_.pairProduct = Join({dir_.Path(L"app32"), L"app32.exe"});
  test::Touch(launcher_.pairProduct);
  test::WriteBytes(Join({dir_.Path(L"app"), L"app.ini"}), "; kept\r\n[Application]\r\nMain Class=Main\r\n");
  ASSERT_TRUE(ResolveRuntime(launcher_));
  EXPECT_FALSE(launcher_.relaunchPairProduct);
  EXPECT_EQ(ReadJrePath(Join({dir_.Path(L"app"), L"app.ini"})), chosen);
  EXPECT_EQ(PlainReader{Join({dir_.Path(L"app"), L"app.ini"})}.ReadPlain(L"Application", L"Main Class"), L"Main");
  EXPECT_EQ(ReadJrePath(Join({dir_.Path(L"app32"), L"app32.ini"})), chosen);
  EXPECT_FALSE(platform::FileExists(dir_.Path(L"user")));
}

TEST_F(WriteBackTest, APairProductWithoutExtensionGetsNoSettingsFileOnWindows) {
  WideString chosen = Runtime(L"chosen");
  AnswerWith(chosen);
  launcher_.serviceMode = true;
  launcher_.pairProduct = Join({dir_.Path(L"pair.d"), L"pair"});
  test::Touch(launcher_.pairProduct);
  ASSERT_TRUE(ResolveRuntime(launcher_));
  EXPECT_EQ(platform::FileExists(Join({dir_.Path(L"pair.d"), L"pair.ini"})),
            platform::kExtensionlessExecutableHasSettings);
  EXPECT_FALSE(platform::FileExists(dir_.Path(L"pair.ini")));  // the folder's dot does not count
}

}  // namespace
