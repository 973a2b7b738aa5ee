#include "jvm/launch_plan.h"

#include <gtest/gtest.h>

#include "common/message_text.h"
#include "jvm/class_path.h"
#include "jvm/vm_parameters.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "settings/read_settings.h"
#include "test_support.h"

namespace launcher::jvm {

namespace {

using test::Join;

TEST(SplitVmParametersTest, SpacesSeparateAndQuotesGroup) {
  struct Case {
    const wchar_t* value;
    WideStringList tokens;
  } cases[] = {
      {L"", {}},
      {L"-Xmx512m \"-Dname=a b\" -Dx=1", {L"-Xmx512m", L"\"-Dname=a b\"", L"-Dx=1"}},
      {L"  -a    -b  ", {L"-a", L"-b"}},
      {L"-Dp=\"x y\"z -c", {L"-Dp=\"x y\"z", L"-c"}},
      {L"-Dq=\"a\"\" b\" -e", {L"-Dq=\"a\"\"", L"b\"", L"-e"}},
      {L"-Dopen=\"a b", {L"-Dopen=\"a", L"b"}},
      {L"-D\"a b\"\"c d\" e", {L"-D\"a b\"\"c", L"d\"", L"e"}},
      {L"-a\t-b", {L"-a\t-b"}},  // only spaces separate
      {L"-Dend=\"x\"", {L"-Dend=\"x\""}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitVmParameters(c.value), c.tokens) << c.value;
}

platform::MemoryFigures NoMemoryFigures() { return {}; }

class LaunchPlanTest : public testing::Test {
 protected:
  // The plan of the settings file's text (the main class comes built in).
  bool Assemble(const std::string& ini) {
    test::WriteBytes(Join({dir_.Path(L"app"), L"app.ini"}), ini);
    Result<ExecutableLocation> executable = LocateExecutable(Join({dir_.Path(L"app"), L"app.exe"}));
    Result<settings::LauncherSettings> settings =
        settings::ReadSettings(*executable, WideString(L"[Application]\r\nMain Class=M\r\n"));
    plan_.emplace(BuildLaunchPlan({settings->application, settings->classPath, settings->vmParameters, userOptions_,
                                   settings->output, *executable, commandLine_, libraryPath_, &NoMemoryFigures,
                                   shortPath_, NoTrace()}));
    return static_cast<bool>(*plan_);
  }

  const LaunchPlan& Plan() const { return **plan_; }

  std::string Narrow(const WideString& text) { return platform::ToUtf8(text); }
  std::string Sep() { return Narrow(WideString(1, platform::kPathListSeparator)); }
  std::string AppPath(std::initializer_list<WideString> pieces) {
    WideString path = dir_.Path(L"app");
    for (const WideString& piece : pieces) path += platform::kPathSeparator + piece;
    return Narrow(path);
  }

  test::TempDir dir_;
  WideStringList commandLine_;
  WideString libraryPath_;
  ShortPathSource shortPath_ = &platform::ShortPathForm;
  WideStringList userOptions_;
  std::optional<Result<LaunchPlan>> plan_;
};

TEST_F(LaunchPlanTest, AbsoluteEntriesPassUncheckedAndRelativeOnesAreSearched) {
  const WideString absolute = Join({dir_.Path(L"elsewhere"), L"missing.jar"});
  test::Touch(Join({dir_.Path(L"app"), L"lib", L"b.jar"}));
  test::Touch(Join({dir_.Path(L"app"), L"lib", L"a.jar"}));
  test::Touch(Join({dir_.Path(L"app"), L"lib", L"notes.txt"}));
  test::Touch(Join({dir_.Path(L"app"), L"main.jar"}));
  const std::string sep = Narrow(WideString(1, platform::kPathSeparator));
  // Windows entries may begin with the separator; on POSIX such an entry would be absolute.
  const std::string lead = platform::IsAbsolutePath(L"/x") ? "" : sep;
  ASSERT_TRUE(Assemble("[Class Path]\r\nClass Path=" + Narrow(absolute) + ";" + lead + "lib" + sep +
                       "*.jar;;main.jar;" + "gone.jar\r\n"));
  ASSERT_FALSE(Plan().options.empty());
  const std::string expected = "-Djava.class.path=" + Narrow(absolute) + Sep() + AppPath({L"lib", L"a.jar"}) + Sep() +
                               AppPath({L"lib", L"b.jar"}) + Sep() + AppPath({L"main.jar"});
  EXPECT_EQ(Plan().options.front(), expected);
}

TEST_F(LaunchPlanTest, EmptyClassPathIsTheOneMessageUnlessTheJarIsEmbedded) {
  EXPECT_FALSE(Assemble("[Class Path]\r\nClass Path=nothing*.jar\r\n[Application]\r\nCmd=x\r\n"));
  EXPECT_EQ(MessageOf(plan_->error()), L"Java Class Path was not specified in INI file.");

  ASSERT_TRUE(Assemble("[Application]\r\nEmbedded Jar=YES\r\n"));
  EXPECT_EQ(Plan().options, std::vector<std::string>{"-Djava.class.path=" + AppPath({L"app.exe"})});
}

TEST_F(LaunchPlanTest, VmParametersFollowTheClassPathInOrder) {
  libraryPath_ = L"first";
  test::ScopedEnvironment home(L"LAUNCHER_TEST_HOME", L"/h");
  // With its byte-order mark the file reads as UTF-8 on Windows too.
  ASSERT_TRUE(Assemble(
      "\xEF\xBB\xBF[Application]\r\nEmbedded Jar=yes\r\n"
      "[Java Runtime Environment]\r\nVirtual Machine Parameters=-Xss2m \"-Dname=a b\"  -Dhome=%LAUNCHER_TEST_HOME% "
      "-Dnone=%LAUNCHER_TEST_UNSET% -Dw=Gr\xC3\xBC\xC3\x9F"
      "e\r\n"));
  ASSERT_EQ(Plan().options.size(), 7u);
  EXPECT_EQ(Plan().options[0], "-Djava.library.path=first");
  EXPECT_EQ(Plan().options[1].rfind("-Djava.class.path=", 0), 0u);
  EXPECT_EQ(Plan().options[2], "-Xss2m");
  EXPECT_EQ(Plan().options[3], "-Dname=a b");
  EXPECT_EQ(Plan().options[4], "-Dhome=/h");
  EXPECT_EQ(Plan().options[5], "-Dnone=%LAUNCHER_TEST_UNSET%");
  EXPECT_EQ(Plan().options[6], platform::ToAnsi(L"-Dw=Gr\u00FC\u00DFe"));
  EXPECT_EQ(Plan().stackSize, 2097152u);
}

// A folder whose name no 8-bit text can carry (a lone surrogate), and the
// file system's answers for it.
const WideString kOddFolder = WideString(L"odd") + static_cast<wchar_t>(0xD800);
platform::SystemResult<WideString> ShortOddFolder(const WideString& path) {
  return path.find(kOddFolder) == WideString::npos ? path : WideString(L"ODD~1");
}
platform::SystemResult<WideString> NoShortNames(const WideString& path) { return path; }
platform::SystemResult<WideString> NothingThere(const WideString&) { return platform::SystemError{2}; }

TEST_F(LaunchPlanTest, EachPathOfAListIsCarriedOnItsOwn) {
  const WideString list(1, platform::kPathListSeparator);
  libraryPath_ = L"first" + list + kOddFolder + list + L"last";
  shortPath_ = &ShortOddFolder;
  ASSERT_TRUE(Assemble("[Application]\r\nEmbedded Jar=yes\r\n"));
  EXPECT_EQ(Plan().options[0], "-Djava.library.path=first" + Sep() + "ODD~1" + Sep() + "last");

  shortPath_ = &NothingThere;  // it names nothing: left out
  ASSERT_TRUE(Assemble("[Application]\r\nEmbedded Jar=yes\r\n"));
  EXPECT_EQ(Plan().options[0], "-Djava.library.path=first" + Sep() + "last");

  shortPath_ = &NoShortNames;
  EXPECT_FALSE(Assemble("[Application]\r\nEmbedded Jar=yes\r\n"));
  EXPECT_EQ(plan_->error().message, StringId::kPathNotCarried);
  EXPECT_EQ(std::get<WideString>(plan_->error().arguments.at(0)), kOddFolder);
}

// The user's options come last, the start-up cache's are put before them, and
// the user's -Xss sets the JVM thread's stack.
TEST_F(LaunchPlanTest, UserOptionsComeAfterEveryOtherOption) {
  userOptions_ = {L"-Xmx2g", L"-Xss4m"};
  ASSERT_TRUE(
      Assemble("[Application]\r\nEmbedded Jar=yes\r\n"
               "[Java Runtime Environment]\r\nVirtual Machine Parameters=-Xmx256m -Xss1m\r\n"));
  LaunchPlan plan = Plan();
  EXPECT_EQ(plan.stackSize, 4194304u);
  InsertBeforeUserOptions(plan, {"-XX:SharedArchiveFile=a.jsa", "-Xshare:auto"});
  const std::vector<std::string> expected{"-Djava.class.path=" + AppPath({L"app.exe"}),
                                          "-Xmx256m",
                                          "-Xss1m",
                                          "-XX:SharedArchiveFile=a.jsa",
                                          "-Xshare:auto",
                                          "-Xmx2g",
                                          "-Xss4m"};
  EXPECT_EQ(plan.options, expected);
}

TEST_F(LaunchPlanTest, StreamFilesAndCmdArguments) {
  test::ScopedEnvironment logs(L"LAUNCHER_TEST_LOGS", L"L");
  commandLine_ = {L"first"};
  ASSERT_TRUE(
      Assemble("[Application]\r\nEmbedded Jar=yes\r\nOutput File=%LAUNCHER_TEST_LOGS%/out.log\r\nOutput Append=Yes\r\n"
               "Error File=err.log\r\nError Append=yes\r\nCmd= -v \"two words\" \"\" %LAUNCHER_TEST_LOGS%\r\n"));
  EXPECT_EQ(Plan().output.file, L"L/out.log");
  EXPECT_FALSE(Plan().output.append);  // "yes" only in small letters
  EXPECT_EQ(Plan().error.file, L"err.log");
  EXPECT_TRUE(Plan().error.append);
  EXPECT_EQ(Plan().mainClass, L"M");
  EXPECT_EQ(Plan().arguments, (WideStringList{L"first", L"-v", L"two words", L"L"}));
}

TEST(ResolveClassPathEntryTest, WildcardsAndRelativeEntries) {
  test::TempDir dir;
  const WideString lib = Join({dir.Path(), L"lib"});
  test::Touch(Join({lib, L"x.jar"}));
  test::Touch(Join({lib, L"y.jar"}));
  const WideString sep(1, platform::kPathSeparator), list(1, platform::kPathListSeparator);

  WideString classPath = L"start" + list;
  ResolveClassPathEntry(Join({lib, L"*.jar"}), L"ignored", classPath);
  EXPECT_EQ(classPath, L"start" + list + Join({lib, L"x.jar"}) + list + Join({lib, L"y.jar"}) + list);

  // Windows entries may start with the separator ("\lib\x.jar"); on POSIX that is an absolute path.
  WideStringList relatives{L"lib" + sep + L"x.jar"};
  if (!platform::IsAbsolutePath(sep + L"lib")) relatives.push_back(sep + L"lib" + sep + L"x.jar");
  for (const WideString& relative : relatives) {
    classPath.clear();
    ResolveClassPathEntry(relative, dir.Path(), classPath);
    EXPECT_EQ(classPath, Join({lib, L"x.jar"}) + list) << relative;
  }
  classPath.clear();
  ResolveClassPathEntry(L"lib", dir.Path(), classPath);  // a folder is found too
  EXPECT_EQ(classPath, lib + list);
  classPath.clear();
  ResolveClassPathEntry(L"lib" + sep + L"none*.jar", dir.Path(), classPath);
  EXPECT_EQ(classPath, L"");
}

}  // namespace

}  // namespace launcher::jvm
