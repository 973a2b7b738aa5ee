#include "settings/read_settings.h"

#include <gtest/gtest.h>

#include <set>

#include "common/message_text.h"
#include "platform/text.h"
#include "settings/builtin_settings_check.h"
#include "settings/settings_file_check.h"
#include "settings/settings_keys.h"
#include "test_support.h"

namespace launcher::settings {

namespace {

using test::Join;

class ReadSettingsTest : public testing::Test {
 protected:
  ReadSettingsTest() : appData_(L"APPDATA", dir_.Path(L"user")), xdg_(L"XDG_CONFIG_HOME", dir_.Path(L"user")) {}

  bool Read(const std::string& ini, std::optional<WideString> builtin = std::nullopt) {
    if (!ini.empty()) test::WriteBytes(dir_.Path(L"app.ini"), ini);
    trace_.lines.clear();
    settings_.emplace(ReadSettings(*LocateExecutable(dir_.Path(L"app.exe")), builtin, trace_));
    return static_cast<bool>(*settings_);
  }

  const LauncherSettings& Settings() const { return **settings_; }

  test::TempDir dir_;
  test::ScopedEnvironment appData_;
  test::ScopedEnvironment xdg_;
  std::optional<Result<LauncherSettings>> settings_;
  test::RecordingTrace trace_;
};

// A text as the trace quotes it.
std::string Quoted(const WideString& text) { return QuoteForTrace(platform::ToUtf8(text)); }

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
  EXPECT_TRUE(l.application.overrideWorkingFolder);
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

// Every entry that is an exit code counts; one that is not is named in the
// trace and costs the others nothing.
TEST_F(ReadSettingsTest, RestartExitCodesAreAListOfWholeNumbers) {
  ASSERT_TRUE(Read("[Application]\r\nMain Class=Main\r\nRestart Exit Codes= 23 ;-1;;x7;2147483648;2147483647\r\n"));
  EXPECT_EQ(Settings().application.restartExitCodes, (std::vector<int32_t>{23, -1, 2147483647}));
  EXPECT_TRUE(trace_.Has(R"(setting-ignored key="Restart Exit Codes" entry="x7" )"
                         "not a whole number that an exit code can be"));
  EXPECT_TRUE(trace_.Has(R"(setting-ignored key="Restart Exit Codes" entry="2147483648" )"
                         "not a whole number that an exit code can be"));
  ASSERT_TRUE(Read("[Application]\r\nMain Class=Main\r\n"));
  EXPECT_TRUE(Settings().application.restartExitCodes.empty());
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
  EXPECT_FALSE(l.application.failureCheck || l.product.pairReturnCode || l.application.overrideWorkingFolder ||
               l.product.serviceMode || l.classPath.embeddedJar);
  EXPECT_EQ(l.runtime.jvmType, JvmTypeMode::Default);
  EXPECT_TRUE(l.runtime.preferredVersions.empty());
  EXPECT_FALSE(l.startupCache.enabled);
}

TEST_F(ReadSettingsTest, StartupCacheIsOnForYesInAnyCase) {
  for (const auto& [value, on] : std::vector<std::pair<std::string, bool>>{
           {"Yes", true}, {"yes", true}, {"YES", true}, {"No", false}, {"1", false}, {"true", false}, {"", false}}) {
    ASSERT_TRUE(
        Read("[Application]\r\nMain Class=M\r\n[Java Runtime Environment]\r\nStart-up Cache=" + value + "\r\n"));
    EXPECT_EQ(Settings().startupCache.enabled, on) << value;
  }
  // Layered, as the other keys of the section.
  ASSERT_TRUE(Read("[Application]\r\nMain Class=M\r\n", L"[Java Runtime Environment]\r\nStart-up Cache=yes\r\n"));
  EXPECT_TRUE(Settings().startupCache.enabled);
}

TEST_F(ReadSettingsTest, BuiltInSettingsAreTheLowestLayer) {
  ASSERT_TRUE(Read("[Java Runtime Environment+]\r\nSystem Path=more\r\n",
                   L"[Application]\r\nMain Class=a.B\r\n[Java Runtime Environment]\r\nSystem Path=base\r\n"));
  EXPECT_EQ(Settings().application.mainClass, L"a/B");
  EXPECT_EQ(Settings().environment.systemPath, L"base more");
}

TEST_F(ReadSettingsTest, SplashKeysComeFromTheFileAloneAndCompareAsTheirKeysSay) {
  struct Case {
    const char* display;
    const wchar_t* picture;
    bool shadow;
    bool preferNative;
  };
  const Case cases[] = {
      {"Splash Screen=splash.bmp\r\nSplash Screen Shadow=true\r\nPreffer Native Splash Screen=yEs\r\n", L"splash.bmp",
       true, true},
      {"Splash Screen=C:\\pics\\s.png\r\nSplash Screen Shadow=True\r\nPreffer Native Splash Screen=yes please\r\n",
       L"C:\\pics\\s.png", false, false},
      {"Splash Screen Shadow=TRUE\r\nPreffer Native Splash Screen=No\r\n", L"", false, false},
      // The key as spelled in English is not the key the launcher reads.
      {"Splash Screen=a.gif\r\nPrefer Native Splash Screen=Yes\r\n", L"a.gif", false, false},
  };
  // Values of the built-in settings and of "[Display+]" do not count.
  const wchar_t* builtin = L"[Display]\r\nSplash Screen=builtin.bmp\r\nSplash Screen Shadow=true\r\n";
  for (const Case& c : cases) {
    ASSERT_TRUE(Read(std::string("[Application]\r\nMain Class=M\r\n[Display]\r\n") + c.display +
                         "[Display+]\r\nSplash Screen=plus.bmp\r\nSplash Screen Shadow=true\r\n",
                     builtin));
    EXPECT_EQ(Settings().splash.picture, c.picture) << c.display;
    EXPECT_EQ(Settings().splash.shadow, c.shadow) << c.display;
    EXPECT_EQ(Settings().splash.preferNative, c.preferNative) << c.display;
  }
}

TEST_F(ReadSettingsTest, JrePathComesFromThePerUserFileWhenItExists) {
  const std::string ini =
      "[Product Information]\r\nProduct Name=P/Q\r\nProduct Code=C1\r\n"
      "[Java Runtime Environment]\r\nJRE Path=beside\r\n[Application]\r\nMain Class=M\r\n";
  ASSERT_TRUE(Read(ini));
  EXPECT_EQ(Settings().runtime.jrePath, L"beside");

  test::WriteBytes(
      Join({dir_.Path(L"user"), L"PQ", L"C1", L"app.ini"}),
      "[Java Runtime Environment]\r\nJRE Path=per-user\r\n[Runtime Download]\r\nArchive URL=https://x/j.zip\r\n"
      "Archive SHA-256=" +
          std::string(64, 'e') + "\r\n");
  ASSERT_TRUE(Read(ini));
  EXPECT_EQ(Settings().runtime.jrePath, L"per-user");
  EXPECT_FALSE(Settings().runtimeDownload) << "only the publisher's files pin a runtime";

  // A service never reads the per-user file.
  ASSERT_TRUE(Read(ini + "Application Type=service\r\n"));
  EXPECT_TRUE(Settings().product.serviceMode);
  EXPECT_EQ(Settings().runtime.jrePath, L"beside");
}

// The per-user options file beside the per-user settings file, filtered as
// "User Options" says; a service reads none.
TEST_F(ReadSettingsTest, UserOptionsComeFromThePerUserFolderAsThePublisherAllows) {
  const std::string ini =
      "[Product Information]\r\nProduct Name=P\r\nProduct Code=C\r\n[Application]\r\nMain Class=M\r\n";
  test::WriteBytes(Join({dir_.Path(L"user"), L"P", L"C", L"app.options"}), "-Xmx2g\r\n-Dmode=debug\r\n");
  struct Case {
    const char* lines;
    WideStringList options;
  };
  for (const Case& c : {Case{"", {L"-Xmx2g"}}, Case{"User Options=memory\r\n", {L"-Xmx2g"}},
                        Case{"User Options=ALL\r\n", {L"-Xmx2g", L"-Dmode=debug"}}, Case{"User Options=off\r\n", {}},
                        Case{"User Options=yes\r\n", {L"-Xmx2g"}}}) {
    ASSERT_TRUE(Read(ini + "[Java Runtime Environment]\r\n" + c.lines)) << c.lines;
    EXPECT_EQ(Settings().userJvmOptions, c.options) << c.lines;
  }
  ASSERT_TRUE(Read(ini + "[Java Runtime Environment]\r\nUser Options=memory\r\n"));
  EXPECT_TRUE(trace_.Has("user-option dropped=\"-Dmode=debug\" not a memory option"));
  ASSERT_TRUE(Read(ini + "Application Type=service\r\n[Java Runtime Environment]\r\nUser Options=all\r\n"));
  EXPECT_TRUE(Settings().userJvmOptions.empty());
  EXPECT_TRUE(trace_.Events("user-options").empty());
}

// A model id the taskbar cannot take is left out, and the trace says why.
TEST_F(ReadSettingsTest, AnInvalidAppUserModelIdIsIgnored) {
  ASSERT_TRUE(Read("[Application]\r\nMain Class=M\r\nApp User Model ID=Example.Viewer.Main\r\n"));
  EXPECT_EQ(Settings().application.appUserModelId, L"Example.Viewer.Main");
  ASSERT_TRUE(Read("[Application]\r\nMain Class=M\r\nApp User Model ID=Example Viewer\r\n"));
  EXPECT_EQ(Settings().application.appUserModelId, L"");
  EXPECT_TRUE(trace_.Has("app-user-model-id ignored=\"Example Viewer\" holds a space or a control character"));
}

TEST_F(ReadSettingsTest, SingleInstanceIsExactlyYesAndNeverInServiceMode) {
  struct Case {
    const char* lines;
    bool singleInstance;
  };
  for (const Case& c : {Case{"Single Instance=yes\r\n", true}, Case{"Single Instance=Yes\r\n", false},
                        Case{"Single Instance=YES\r\n", false}, Case{"", false},
                        Case{"Single Instance=yes\r\nApplication Type=service\r\n", false},
                        Case{"Single Instance=yes\r\nApplication Type=Service\r\n", true}}) {
    ASSERT_TRUE(Read(std::string("[Application]\r\nMain Class=M\r\n") + c.lines)) << c.lines;
    EXPECT_EQ(Settings().instance.singleInstance, c.singleInstance) << c.lines;
  }
}

TEST_F(ReadSettingsTest, TheTraceNamesTheFilesAndWhereEachValueCameFrom) {
  const std::string ini =
      "[Product Information]\r\nProduct Name=P\r\nProduct Code=C\r\n[Application]\r\nMain Class=M\r\n"
      "[Java Runtime Environment+]\r\nVirtual Machine Parameters=-Dmore\r\n";
  ASSERT_TRUE(Read(ini, L"[Java Runtime Environment]\r\nMinimum Version=1.8\r\n"));
  const WideString perUser = Join({dir_.Path(L"user"), L"P", L"C", L"app.ini"});
  EXPECT_EQ(trace_.Events("settings-file"),
            std::vector<std::string>{"settings-file path=" + Quoted(dir_.Path(L"app.ini")) + " found=yes"});
  EXPECT_TRUE(trace_.Has("built-in-settings found=yes"));
  EXPECT_TRUE(trace_.Has("per-user-file path=" + Quoted(perUser) + " found=no"));
  EXPECT_TRUE(trace_.Has(R"(setting section="Product Information" key="Product Name" value="P" layer=settings-file)"));
  EXPECT_TRUE(
      trace_.Has(R"(setting section="Java Runtime Environment" key="Minimum Version" value="1.8" layer=built-in)"));
  EXPECT_TRUE(trace_.Has(R"(setting section="Java Runtime Environment" key="Virtual Machine Parameters" )"
                         R"(value=" -Dmore" layer=plus-section)"));
  // The absent maximum is named as such.
  EXPECT_TRUE(trace_.Has("version-bounds minimum=1.8.0.0 maximum=0.0.0.0 maximum-given=no"));
  EXPECT_TRUE(trace_.Events("setting section=\"Java Runtime Environment\" key=\"Maximum Version\"").empty());

  test::WriteBytes(perUser, "[Java Runtime Environment]\r\nJRE Path=C:\\jre\r\n");
  ASSERT_TRUE(Read(ini + "[Java Runtime Environment]\r\nMaximum Version=11\r\n"));
  EXPECT_TRUE(trace_.Has("per-user-file path=" + Quoted(perUser) + " found=yes"));
  EXPECT_TRUE(
      trace_.Has(R"(setting section="Java Runtime Environment" key="JRE Path" value="C:\\jre" layer=per-user-file)"));
  EXPECT_TRUE(trace_.Has("version-bounds minimum=0.0.0.0 maximum=11.65535.65535.65535 maximum-given=yes"));
}

// The built-in settings check, which the branding tool runs on a publisher's
// settings, knows exactly the keys read here through the built-in layer: with
// every key of settings_keys.h under every section built in, the ones read from
// there are its list.
TEST_F(ReadSettingsTest, TheBuiltinSettingsCheckKnowsExactlyTheKeysReadFromTheBuiltinLayer) {
  using namespace keys;
  const std::vector<const wchar_t*> sections{kProductSection,   kRuntimeSection, kApplicationSection,
                                             kClassPathSection, kDisplaySection, kDownloadSection};
  const std::vector<const wchar_t*> everyKey{kProductCode,
                                             kProductName,
                                             kMinimumVersion,
                                             kMaximumVersion,
                                             kPreferredVersions,
                                             kJrePath,
                                             kJvmType,
                                             kJvmSource,
                                             kVmProvider,
                                             kSystemPath,
                                             kLibraryPath,
                                             kVmParameters,
                                             kStartupCache,
                                             kApplicationType,
                                             kSingleInstance,
                                             kMainClass,
                                             kFailureCheck,
                                             kOverrideWorkingDir,
                                             kPairProduct,
                                             kPairReturnCode,
                                             kEmbeddedJar,
                                             kOutputFile,
                                             kOutputAppend,
                                             kErrorFile,
                                             kErrorAppend,
                                             kCmd,
                                             kClassPath,
                                             kSplashScreen,
                                             kSplashScreenShadow,
                                             kPreferNativeSplashScreen,
                                             kUserOptions,
                                             kAppUserModelId,
                                             kRestartExitCodes,
                                             kArchiveUrl,
                                             L"Archive URL 2",
                                             kArchiveSha256,
                                             kArchiveSize,
                                             kRuntimeName,
                                             kOffer};
  std::set<std::string> known;
  for (const BuiltinLayerSection& section : BuiltinLayerSections()) {
    for (const wchar_t* key : section.keys) {
      known.insert("setting section=" + Quoted(section.name) + " key=" + Quoted(key) + " value=\"1\" layer=built-in");
    }
    if (section.numberedKey) {
      known.insert("setting section=" + Quoted(section.name) +
                   " key=" + Quoted(WideString(section.numberedKey) + L" 2") + " value=\"1\" layer=built-in");
    }
  }
  WideString builtin;
  for (const wchar_t* section : sections) {
    builtin += L"[" + WideString(section) + L"]\r\n";
    for (const wchar_t* key : everyKey) builtin += WideString(key) + L"=1\r\n";
  }
  ASSERT_TRUE(Read("", builtin));
  std::set<std::string> readFromBuiltin;
  for (const std::string& line : trace_.Events("setting")) {
    if (line.ends_with(" layer=built-in")) readFromBuiltin.insert(line);
  }
  EXPECT_EQ(readFromBuiltin, known);
}

// [Runtime Download] comes from the built-in settings and the settings file
// (mirrors until the first number without a value); a section without a
// well-formed hash or without an address is ignored, and the trace says so.
TEST_F(ReadSettingsTest, ARuntimeDownloadSectionNeedsAnAddressAndAWellFormedHash) {
  const std::string sha256 = "0123456789ABCDEF0123456789abcdef0123456789abcdef0123456789abcdef";
  const std::string main = "[Application]\r\nMain Class=m.Main\r\n[Runtime Download]\r\n";
  ASSERT_TRUE(Read(main + "Archive URL=https://a/jre.zip\r\nArchive URL 2=jre.zip\r\nArchive URL 4=lost.zip\r\n" +
                   "Archive SHA-256=" + sha256 + "\r\nArchive Size=1234\r\nRuntime Name=Java 21\r\nOffer=AUTO\r\n"));
  ASSERT_TRUE(Settings().runtimeDownload);
  const RuntimeDownloadSettings& download = *Settings().runtimeDownload;
  EXPECT_EQ(download.archiveUrls, (WideStringList{L"https://a/jre.zip", L"jre.zip"}));
  EXPECT_EQ(download.sha256, "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef");
  EXPECT_EQ(download.archiveSize, 1234u);
  EXPECT_EQ(download.runtimeName, L"Java 21");
  EXPECT_EQ(download.offer, RuntimeOffer::Auto);

  // The publisher's built-in pin, with the file adding nothing to it.
  ASSERT_TRUE(Read("[Application]\r\nMain Class=m.Main\r\n",
                   L"[Runtime Download]\r\nArchive URL=a.zip\r\nArchive SHA-256=" + std::wstring(64, L'f') +
                       L"\r\nArchive Size=12 MB\r\nOffer=never\r\n"));
  ASSERT_TRUE(Settings().runtimeDownload);
  EXPECT_EQ(Settings().runtimeDownload->offer, RuntimeOffer::Ask);
  EXPECT_EQ(Settings().runtimeDownload->archiveSize, std::nullopt);

  const std::vector<std::pair<std::string, std::string>> ignored{
      {"Archive URL=a.zip\r\nArchive SHA-256=" + sha256.substr(2) + "\r\n",
       "runtime-download offer=ignored [Runtime Download] has no well-formed \"Archive SHA-256\" (64 hexadecimal "
       "digits)"},
      {"Archive URL=a.zip\r\nArchive SHA-256=" + sha256.substr(1) + "g\r\n",
       "runtime-download offer=ignored [Runtime Download] has no well-formed \"Archive SHA-256\" (64 hexadecimal "
       "digits)"},
      {"Archive SHA-256=" + sha256 + "\r\n",
       "runtime-download offer=ignored [Runtime Download] has no \"Archive URL\""},
  };
  for (const auto& [body, line] : ignored) {
    ASSERT_TRUE(Read(main + body));
    EXPECT_FALSE(Settings().runtimeDownload) << body;
    EXPECT_TRUE(trace_.Has(line)) << body;
  }
  ASSERT_TRUE(Read("[Application]\r\nMain Class=m.Main\r\n"));
  EXPECT_FALSE(Settings().runtimeDownload);
  EXPECT_TRUE(trace_.Events("runtime-download").empty());
}

TEST_F(ReadSettingsTest, TheTraceSaysWhenThereIsNoSettingsFile) {
  ExecutableLocation location{dir_.Path(L"app"), dir_.Path(L""), std::nullopt};
  ASSERT_FALSE(ReadSettings(location, std::nullopt, trace_));
  EXPECT_EQ(trace_.lines,
            std::vector<std::string>{"settings-file none: the executable's file name gives no settings file"});
  ASSERT_FALSE(Read(""));
  EXPECT_TRUE(trace_.Has("settings-file path=" + Quoted(dir_.Path(L"app.ini")) + " found=no"));
}

}  // namespace

}  // namespace launcher::settings
