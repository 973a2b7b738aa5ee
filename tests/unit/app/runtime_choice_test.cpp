#include "app/runtime_choice.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "archive_builder.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/runtime_layout.h"
#include "platform/text.h"
#include "runtime_files.h"
#include "runtime_install/runtime_store.h"
#include "settings/read_settings.h"
#include "settings/settings_readers.h"
#include "test_support.h"

namespace launcher::app {

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

class ChooseRuntimeTest : public testing::Test {
 protected:
  ChooseRuntimeTest()
      : appData_(L"APPDATA", dir_.Path(L"user")),
        xdg_(L"XDG_CONFIG_HOME", dir_.Path(L"user")),
        javaHome_(L"JAVA_HOME", std::nullopt),
        executable_(*LocateExecutable(Join({dir_.Path(L"app"), L"app.exe"}))) {
    settings_.runtime.maximum = JavaVersion::Any(JavaVersion::kHighFill);
    settings_.product.name = L"Product";
    settings_.product.code = L"Code";
  }

  Result<discovery::ResolvedRuntime> Choose() {
    trace_.lines.clear();
    return ChooseRuntime(ui_, registry_, settings_, executable_, trace_);
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
    return settings::PlainReader{platform::IniFile::Open(path)}.ReadPlain(L"Java Runtime Environment", L"JRE Path");
  }

  test::TempDir dir_;
  test::ScopedEnvironment appData_;
  test::ScopedEnvironment xdg_;
  test::ScopedEnvironment javaHome_;
  test::RecordingUi ui_;
  test::RecordingTrace trace_;
  test::FakeRegistry registry_;
  ExecutableLocation executable_;
  settings::LauncherSettings settings_;
};

TEST_F(ChooseRuntimeTest, TheSettingsFolderComesFirstWithOrWithoutSeparator) {
  WideString home = Runtime(L"configured");
  registry_.AddRuntime(kJre, L"11", Runtime(L"registered"));
  settings_.runtime.minimum = ParseLowerBound(L"99");  // bounds do not apply to this folder
  for (const WideString& setting : {home, home.substr(0, home.size() - 1)}) {
    settings_.runtime.jrePath = setting;
    Result<discovery::ResolvedRuntime> runtime = Choose();
    ASSERT_TRUE(runtime);
    EXPECT_EQ(runtime->jvmLibrary, Library(home));
    EXPECT_EQ(Compare(runtime->version, JavaVersion()), 0);
    EXPECT_EQ(runtime->origin, discovery::RuntimeOrigin::SettingsFolder);
  }
  EXPECT_TRUE(ui_.runtimeQuestions.empty());
}

// Found from the current folder, and from then on named from the root: the
// library search, the environment and the load never look at the current folder.
TEST_F(ChooseRuntimeTest, ARelativeSettingsFolderIsFixedToTheCurrentFolderWhenAccepted) {
  const WideString home = Runtime(L"configured");
  const std::filesystem::path previous = std::filesystem::current_path();
  ASSERT_TRUE(platform::ChangeCurrentFolder(dir_.Path()));
  settings_.runtime.jrePath = L"configured";
  Result<discovery::ResolvedRuntime> runtime = Choose();
  std::filesystem::current_path(previous);
  ASSERT_TRUE(runtime);
  EXPECT_EQ(runtime->jvmLibrary, Library(home));
  EXPECT_EQ(runtime->home + platform::kPathSeparator, home);
}

TEST_F(ChooseRuntimeTest, ASettingsFolderWithoutLibraryFallsThroughSilently) {
  settings_.runtime.jrePath = dir_.Path(L"nothing-here");
  WideString registered = Runtime(L"registered");
  registry_.AddRuntime(kJre, L"11.0.2", registered);
  Result<discovery::ResolvedRuntime> runtime = Choose();
  ASSERT_TRUE(runtime);
  EXPECT_EQ(runtime->jvmLibrary, Library(registered));
  EXPECT_EQ(Format(runtime->version), L"11.0.2");
  EXPECT_TRUE(ui_.errors.empty());
}

TEST_F(ChooseRuntimeTest, A32BitSettingsFolderHandsOverToThePairProduct) {
  settings_.runtime.jrePath = Runtime(L"rt32", I386Image());
  Result<discovery::ResolvedRuntime> runtime = Choose();
  ASSERT_TRUE(runtime);
  EXPECT_FALSE(runtime->needsCompanion);  // no companion: loaded as usual
  settings_.product.pairProduct = L"app32.exe";
  runtime = Choose();
  ASSERT_TRUE(runtime);
  EXPECT_TRUE(runtime->needsCompanion);
}

TEST_F(ChooseRuntimeTest, PrivateRuntimeBeforeTheRegistry) {
  registry_.AddRuntime(kJre, L"11", Runtime(L"registered"));
  WideString privateHome = Folder(L"app") + platform::kPrivateRuntimeFolder;
  test::AddJavaLibrary(privateHome);
  // A marker without a JVM library is passed over.
  Result<discovery::ResolvedRuntime> runtime = Choose();
  ASSERT_TRUE(runtime);
  EXPECT_EQ(runtime->jvmLibrary, Library(Folder(L"registered")));

  test::AddJvmLibrary(privateHome, L"client");
  settings_.product.pairProduct = L"app32.exe";
  test::WriteBytes(test::JvmLibraryPath(privateHome, L"client"), I386Image());
  runtime = Choose();
  ASSERT_TRUE(runtime);
  EXPECT_EQ(runtime->jvmLibrary, test::JvmLibraryPath(privateHome, L"client"));
  EXPECT_EQ(runtime->origin, discovery::RuntimeOrigin::PrivateRuntime);
  EXPECT_FALSE(runtime->needsCompanion);  // the machine is not checked for a private runtime
}

TEST_F(ChooseRuntimeTest, The32BitViewServesOnlyThePairProduct) {
  registry_.AddRuntime(kJre, L"1.8", Runtime(L"rt32"), true);
  EXPECT_FALSE(Choose());
  EXPECT_EQ(ui_.runtimeQuestions.size(), 1u);

  settings_.product.pairProduct = L"app32.exe";
  Result<discovery::ResolvedRuntime> runtime = Choose();
  ASSERT_TRUE(runtime);
  EXPECT_TRUE(runtime->needsCompanion);
  EXPECT_EQ(runtime->jvmLibrary, Library(Folder(L"rt32")));
  EXPECT_EQ(Format(runtime->version), L"1.8");
  EXPECT_EQ(runtime->origin, discovery::RuntimeOrigin::Registry32);
  EXPECT_EQ(ui_.runtimeQuestions.size(), 1u);  // no second question
}

TEST_F(ChooseRuntimeTest, ARegisteredFolderWithoutLibraryForTheModeAsksTheUser) {
  registry_.AddRuntime(kJre, L"11", Runtime(L"server-only"));
  settings_.runtime.jvmType = settings::JvmTypeMode::Server;
  test::Touch(test::JvmLibraryPath(Folder(L"client-only"), L"client"));
  registry_.AddRuntime(kJre, L"12", dir_.Path(L"client-only"));
  Result<discovery::ResolvedRuntime> runtime = Choose();  // the client-only runtime is no candidate in Server mode
  ASSERT_TRUE(runtime);
  EXPECT_EQ(runtime->jvmLibrary, Library(Folder(L"server-only")));
}

TEST_F(ChooseRuntimeTest, CancellingTheQuestionFailsAndWritesNothing) {
  settings_.runtime.minimum = ParseLowerBound(L"1.6");
  settings_.runtime.jvmType = settings::JvmTypeMode::Server;
  // The user offers a folder that has only a client library, then cancels.
  test::Touch(test::JvmLibraryPath(Folder(L"client-only"), L"client"));
  ui_.runtimeAnswer = {ui::RuntimeAnswer::Kind::Cancelled, Folder(L"client-only"), L""};
  Result<discovery::ResolvedRuntime> runtime = Choose();
  ASSERT_FALSE(runtime);
  EXPECT_TRUE(runtime.error().IsSilent());
  ASSERT_EQ(ui_.runtimeQuestions.size(), 1u);
  EXPECT_EQ(ui_.runtimeQuestions[0],
            L"The Java Runtime Environment (JRE) was not found. Please  download and install a JRE with a server "
            L"JVM (minimum version 1.6) from:");
  EXPECT_EQ(ui_.checkedFolders, std::vector<WideString>{L""});  // Server mode takes no client library
  EXPECT_FALSE(platform::FileExists(dir_.Path(L"user")));
}

TEST_F(ChooseRuntimeTest, AQuestionThatCannotBeAskedFailsSilently) {
  ui_.runtimeAnswer.kind = ui::RuntimeAnswer::Kind::NotShown;
  Result<discovery::ResolvedRuntime> runtime = Choose();
  ASSERT_FALSE(runtime);
  EXPECT_TRUE(runtime.error().IsSilent());
  EXPECT_FALSE(platform::FileExists(dir_.Path(L"user")));
}

TEST_F(ChooseRuntimeTest, JavaHomeServesOnlyWhereTheSystemNamesRuntimesThatWay) {
  const WideString home = Runtime(L"java-home");
  test::WriteBytes(home + L"release", "JAVA_VERSION=\"17.0.2\"\n");
  const test::ScopedEnvironment javaHome(L"JAVA_HOME", home);
  Result<discovery::ResolvedRuntime> runtime = Choose();
  if (WideString(platform::kRuntimeHomeVariable).empty()) {
    EXPECT_FALSE(runtime);  // Windows: installed runtimes register themselves
    EXPECT_EQ(ui_.runtimeQuestions.size(), 1u);
  } else {
    ASSERT_TRUE(runtime);
    EXPECT_EQ(runtime->origin, discovery::RuntimeOrigin::EnvironmentHome);
    EXPECT_EQ(runtime->jvmLibrary, Library(home));
    EXPECT_TRUE(ui_.runtimeQuestions.empty());
  }
}

TEST_F(ChooseRuntimeTest, TheTraceNamesTheJvmLibraryAndTheUsersAnswer) {
  const WideString registered = Runtime(L"registered");
  registry_.AddRuntime(kJre, L"11.0.2", registered);
  ASSERT_TRUE(Choose());
  EXPECT_EQ(trace_.Events("jvm-library"),
            std::vector<std::string>{"jvm-library path=" + QuoteForTrace(platform::ToUtf8(Library(registered))) +
                                     " origin=\"registry\" version=11.0.2.0 server=yes needs-companion=no"});

  settings_.runtime.minimum = ParseLowerBound(L"12");
  ASSERT_FALSE(Choose());
  EXPECT_EQ(trace_.Events("question"), std::vector<std::string>{R"(question name="JRE Not Found" answer=cancelled)"});
  EXPECT_TRUE(trace_.Events("jvm-library").empty());

  const WideString chosen = Runtime(L"chosen");
  ui_.runtimeAnswer = {ui::RuntimeAnswer::Kind::Chosen, chosen.substr(0, chosen.size() - 1), Library(chosen)};
  ASSERT_TRUE(Choose());
  EXPECT_EQ(trace_.Events("question"),
            std::vector<std::string>{R"(question name="JRE Not Found" answer=chosen folder=)" +
                                     QuoteForTrace(platform::ToUtf8(chosen.substr(0, chosen.size() - 1)))});
  EXPECT_EQ(trace_.Events("jvm-library"),
            std::vector<std::string>{"jvm-library path=" + QuoteForTrace(platform::ToUtf8(Library(chosen))) +
                                     " origin=\"user's choice\" version=0.0.0.0 server=no needs-companion=no"});
}

class WriteBackTest : public ChooseRuntimeTest {
 protected:
  void AnswerWith(const WideString& home) {
    ui_.runtimeAnswer = {ui::RuntimeAnswer::Kind::Chosen, home.substr(0, home.size() - 1), Library(home)};
  }

  WideString PerUser(const WideString& fileName) { return Join({dir_.Path(L"user"), L"Product", L"Code", fileName}); }
};

TEST_F(WriteBackTest, TheChosenFolderGoesToThePerUserFilesOfBothLaunchers) {
  WideString chosen = Runtime(L"chosen", I386Image());
  AnswerWith(chosen);
  settings_.product.pairProduct = Join({dir_.Path(L"app32"), L"app32.exe"});
  Result<discovery::ResolvedRuntime> runtime = Choose();
  ASSERT_TRUE(runtime);
  EXPECT_EQ(runtime->jvmLibrary, Library(chosen));
  EXPECT_EQ(runtime->origin, discovery::RuntimeOrigin::UserChoice);
  EXPECT_TRUE(runtime->needsCompanion);  // a 32-bit choice with a companion
  EXPECT_EQ(ui_.checkedFolders, std::vector<WideString>{Library(chosen)});
  EXPECT_EQ(ReadJrePath(PerUser(L"app.ini")), chosen);
  EXPECT_EQ(ReadJrePath(PerUser(L"app32.ini")), chosen);
  EXPECT_FALSE(platform::FileExists(Join({dir_.Path(L"app"), L"app.ini"})));  // never beside the launcher

  // The next start finds it in its first step.
  test::WriteBytes(Join({dir_.Path(L"app"), L"app.ini"}),
                   "[Product Information]\r\nProduct Name=Product\r\nProduct Code=Code\r\n"
                   "[Application]\r\nMain Class=Main\r\n");
  Result<settings::LauncherSettings> again = settings::ReadSettings(executable_, std::nullopt);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->runtime.jrePath, chosen);
  test::RecordingUi nextUi;
  ASSERT_TRUE(ChooseRuntime(nextUi, registry_, *again, executable_));
  EXPECT_TRUE(nextUi.runtimeQuestions.empty());
}

TEST_F(WriteBackTest, AServiceWritesTheSettingsFilesBesideTheLaunchers) {
  WideString chosen = Runtime(L"chosen");
  AnswerWith(chosen);
  settings_.product.serviceMode = true;
  settings_.product.pairProduct = Join({dir_.Path(L"app32"), L"app32.exe"});
  test::Touch(settings_.product.pairProduct);
  test::WriteBytes(Join({dir_.Path(L"app"), L"app.ini"}), "; kept\r\n[Application]\r\nMain Class=Main\r\n");
  Result<discovery::ResolvedRuntime> runtime = Choose();
  ASSERT_TRUE(runtime);
  EXPECT_FALSE(runtime->needsCompanion);
  EXPECT_EQ(ReadJrePath(Join({dir_.Path(L"app"), L"app.ini"})), chosen);
  EXPECT_EQ(settings::PlainReader{platform::IniFile::Open(Join({dir_.Path(L"app"), L"app.ini"}))}.ReadPlain(
                L"Application", L"Main Class"),
            L"Main");
  EXPECT_EQ(ReadJrePath(Join({dir_.Path(L"app32"), L"app32.ini"})), chosen);
  EXPECT_FALSE(platform::FileExists(dir_.Path(L"user")));
}

TEST_F(WriteBackTest, APairProductWithoutExtensionGetsNoSettingsFileOnWindows) {
  WideString chosen = Runtime(L"chosen");
  AnswerWith(chosen);
  settings_.product.serviceMode = true;
  settings_.product.pairProduct = Join({dir_.Path(L"pair.d"), L"pair"});
  test::Touch(settings_.product.pairProduct);
  ASSERT_TRUE(Choose());
  EXPECT_EQ(platform::FileExists(Join({dir_.Path(L"pair.d"), L"pair.ini"})),
            platform::kExtensionlessExecutableHasSettings);
  EXPECT_FALSE(platform::FileExists(dir_.Path(L"pair.ini")));  // the folder's dot does not count
}

// The publisher's pinned runtime, shipped beside the executable: its store
// lies in the user's data folder.
class PinnedRuntimeTest : public ChooseRuntimeTest {
 protected:
  PinnedRuntimeTest()
      : localAppData_(L"LOCALAPPDATA", dir_.Path(L"data")), xdgData_(L"XDG_DATA_HOME", dir_.Path(L"data")) {
    settings_.runtime.minimum = ParseLowerBound(L"17");
    archive_ = test::MakeRuntimeZip("21.0.1");
    test::WriteBytes(Join({dir_.Path(L"app"), L"jre.zip"}), archive_);
    settings_.runtimeDownload = settings::RuntimeDownloadSettings{.archiveUrls = {L"jre.zip"},
                                                                  .sha256 = test::Sha256Hex(archive_),
                                                                  .archiveSize = std::nullopt,
                                                                  .runtimeName = L"Java 21"};
  }

  WideString Store() const { return Join({dir_.Path(L"data"), L"Product", L"Code", L""}); }

  test::ScopedEnvironment localAppData_;
  test::ScopedEnvironment xdgData_;
  std::string archive_;
};

// Install from the question: progress shown, then the next start finds the
// runtime in the store without a question; nothing is written as "JRE Path".
TEST_F(PinnedRuntimeTest, TheQuestionsInstallChoiceInstallsAndTheStoreServesLaterStarts) {
  ui_.firstRuntimeAnswers = {{ui::RuntimeAnswer::Kind::Install, {}, {}}};
  Result<discovery::ResolvedRuntime> runtime = Choose();
  ASSERT_TRUE(runtime);
  EXPECT_EQ(runtime->origin, discovery::RuntimeOrigin::RuntimeStore);
  EXPECT_EQ(Format(runtime->version), L"21.0.1");
  EXPECT_EQ(runtime->home.rfind(Store(), 0), 0u) << platform::ToUtf8(runtime->home);
  EXPECT_EQ(ui_.installChoices, std::vector<WideString>{L"Install Java 21"});
  EXPECT_EQ(ui_.progressCaptions, std::vector<WideString>{L"Installing Java 21"});
  ASSERT_GE(ui_.progressHeadlines.size(), 3u);
  EXPECT_EQ(ui_.progressHeadlines[0], L"Copying Java 21 from jre.zip");
  EXPECT_EQ(ui_.progressHeadlines[1], L"Checking");
  EXPECT_EQ(ui_.progressHeadlines.back(), L"Unpacking (3 of 3 files)");
  EXPECT_TRUE(ui_.errors.empty());
  EXPECT_FALSE(platform::FileExists(dir_.Path(L"user")));

  test::RecordingUi later;
  std::swap(ui_, later);
  runtime = Choose();
  ASSERT_TRUE(runtime);
  EXPECT_EQ(runtime->origin, discovery::RuntimeOrigin::RuntimeStore);
  EXPECT_TRUE(ui_.runtimeQuestions.empty());
  EXPECT_TRUE(ui_.progressCaptions.empty());
}

// A failed install says why and asks again, with the install still offered;
// a cancel asks again without a word; "Offer=auto" installs without a
// question; "Offer=off" and no pin leave the question as it always was.
TEST_F(PinnedRuntimeTest, HowTheOfferEndsWhenItDoesNotInstall) {
  const std::string pinned = settings_.runtimeDownload->sha256;
  settings_.runtimeDownload->sha256 = std::string(64, '0');
  ui_.firstRuntimeAnswers = {{ui::RuntimeAnswer::Kind::Install, {}, {}}};
  EXPECT_FALSE(Choose());
  ASSERT_EQ(ui_.errors.size(), 1u);
  EXPECT_EQ(ui_.errors[0],
            L"Java 21 could not be installed.\n\nThe archive from jre.zip is not the one the publisher "
            L"pinned: its SHA-256 is " +
                platform::FromUtf8(pinned) + L", expected " + WideString(64, L'0') + L".");
  EXPECT_EQ(ui_.installChoices, (std::vector<WideString>{L"Install Java 21", L"Install Java 21"}));
  EXPECT_EQ(trace_.Events("runtime-install step=failed kind=hash-mismatch").size(), 1u);
  settings_.runtimeDownload->sha256 = pinned;

  ui_ = {};
  ui_.cancelProgress = true;
  ui_.firstRuntimeAnswers = {{ui::RuntimeAnswer::Kind::Install, {}, {}}};
  EXPECT_FALSE(Choose());
  EXPECT_TRUE(ui_.errors.empty());
  EXPECT_EQ(ui_.runtimeQuestions.size(), 2u);
  EXPECT_FALSE(
      runtime_install::RuntimeStore(Store()).Find(runtime_install::StoreKeyOf(*runtime_install::ParseSha256(pinned))));

  for (const settings::RuntimeOffer offer : {settings::RuntimeOffer::Off, settings::RuntimeOffer::Ask}) {
    ui_ = {};
    settings_.runtimeDownload->offer = offer;
    if (offer == settings::RuntimeOffer::Ask) settings_.runtimeDownload.reset();
    EXPECT_FALSE(Choose());
    EXPECT_EQ(ui_.installChoices, std::vector<WideString>{L""});
  }

  ui_ = {};
  settings_.runtimeDownload = settings::RuntimeDownloadSettings{.archiveUrls = {L"jre.zip"},
                                                                .sha256 = pinned,
                                                                .archiveSize = std::nullopt,
                                                                .runtimeName = L"",
                                                                .offer = settings::RuntimeOffer::Auto};
  Result<discovery::ResolvedRuntime> runtime = Choose();
  ASSERT_TRUE(runtime);
  EXPECT_EQ(runtime->origin, discovery::RuntimeOrigin::RuntimeStore);
  EXPECT_TRUE(ui_.runtimeQuestions.empty());
  EXPECT_EQ(ui_.progressCaptions, std::vector<WideString>{L"Installing Java runtime"});
}

}  // namespace

}  // namespace launcher::app
