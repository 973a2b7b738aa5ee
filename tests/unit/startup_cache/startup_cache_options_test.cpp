#include "startup_cache/startup_cache_options.h"

#include <gtest/gtest.h>

namespace launcher::startup_cache {

namespace {

TEST(StartupCacheOptionsTest, OptionsThatHandleClassSharingThemselves) {
  for (const char* option : {"-Xshare:off", "-Xshare:on", "-XX:SharedArchiveFile=a.jsa", "-XX:SharedClassListFile=x",
                             "-XX:-UseSharedSpaces", "-XX:+AutoCreateSharedArchive", "-XX:ArchiveClassesAtExit=d.jsa",
                             "-XX:DumpLoadedClassList=l", "-XX:AOTCache=app.aot", "-XX:AOTMode=record",
                             "-XX:AOTConfiguration=c", "-XX:+AOTClassLinking", "-XX:+RecordDynamicDumpInfo"}) {
    EXPECT_TRUE(OptionsHandleClassSharing({"-Djava.class.path=a.jar", option})) << option;
  }
  for (const char* option : {"-Xmx1g", "-Dshare=off", "-XX:+UseG1GC", "-Xlog:cds=info", "-Dx=-Xshare:off"}) {
    EXPECT_FALSE(OptionsHandleClassSharing({"-Djava.class.path=a.jar", option})) << option;
  }
}

TEST(StartupCacheOptionsTest, OptionsFromTheEnvironmentSplitAtWhiteSpace) {
  EXPECT_EQ(SplitOptionsText(L"  -Xshare:auto\t-Dx=1\n\n-Xmx1g "), (JvmOptionList{"-Xshare:auto", "-Dx=1", "-Xmx1g"}));
  EXPECT_TRUE(SplitOptionsText(L" \n").empty());
}

TEST(StartupCacheOptionsTest, TheBuildGetsTheOptionsThatShapeAnArchiveAndNoOthers) {
  const JvmOptionList options = {"-Djava.library.path=/lib",
                                 "-Djava.class.path=a.jar",
                                 "-Xmx524288K",
                                 "-Xms64m",
                                 "-Xss2m",
                                 "-XX:+UseSerialGC",
                                 "-XX:-UseCompressedOops",
                                 "-XX:+UseCompressedClassPointers",
                                 "-XX:ObjectAlignmentInBytes=16",
                                 "-XX:MaxHeapSize=1g",
                                 "-XX:+UnlockExperimentalVMOptions",
                                 "-XX:+UseCompactObjectHeaders",
                                 "--add-modules=java.sql",
                                 "--enable-preview",
                                 "-XX:+HeapDumpOnOutOfMemoryError",
                                 "-Xlog:gc:file=gc.log",
                                 "-agentlib:jdwp=transport=dt_socket,server=y",
                                 "-javaagent:agent.jar",
                                 "-Dapp.mode=x",
                                 "-XX:+UseGCOverheadLimit"};
  EXPECT_EQ(
      ArchiveShapingOptions(options),
      (JvmOptionList{"-Xmx524288K", "-XX:+UseSerialGC", "-XX:-UseCompressedOops", "-XX:+UseCompressedClassPointers",
                     "-XX:ObjectAlignmentInBytes=16", "-XX:MaxHeapSize=1g", "-XX:+UnlockExperimentalVMOptions",
                     "-XX:+UseCompactObjectHeaders", "--add-modules=java.sql", "--enable-preview"}));
}

TEST(StartupCacheOptionsTest, UsingAnArchiveSilencesItsLogTagsOnBothStreams) {
  EXPECT_EQ(UseArchiveOptions(CacheMechanism::ClassDataArchive, "/c/a.jsa"),
            (JvmOptionList{"-XX:SharedArchiveFile=/c/a.jsa", "-Xlog:cds*=off", "-Xlog:cds*=off:stderr"}));
  // Runtimes before 25 know no "aot" tag and would refuse to start with it.
  EXPECT_EQ(UseArchiveOptions(CacheMechanism::AotCache, "/c/a.aot"),
            (JvmOptionList{"-XX:AOTCache=/c/a.aot", "-Xlog:cds*=off", "-Xlog:cds*=off:stderr", "-Xlog:aot*=off",
                           "-Xlog:aot*=off:stderr"}));
  EXPECT_EQ(RecordClassesOption("/c/x.classlist"), "-XX:DumpLoadedClassList=/c/x.classlist");
}

TEST(StartupCacheOptionsTest, TheBuildDumpsTheListWithTheSameVmAndClassPath) {
  EXPECT_EQ(BuildArchiveArguments(CacheMechanism::AotCache, L"server", L"l.classlist", L"a.tmp", L"a.jar:b.jar",
                                  {"-Xmx1g", "-XX:+UseSerialGC"}),
            (WideStringList{L"-server", L"-Xshare:dump", L"-XX:SharedClassListFile=l.classlist",
                            L"-XX:SharedArchiveFile=a.tmp", L"-XX:+AOTClassLinking", L"-Xmx1g", L"-XX:+UseSerialGC",
                            L"-cp", L"a.jar:b.jar"}));
  // No ahead-of-time linking before 25; an empty class path is still given.
  EXPECT_EQ(BuildArchiveArguments(CacheMechanism::ClassDataArchive, L"client", L"l", L"a", L"", {}),
            (WideStringList{L"-client", L"-Xshare:dump", L"-XX:SharedClassListFile=l", L"-XX:SharedArchiveFile=a",
                            L"-cp", L""}));
}

}  // namespace

}  // namespace launcher::startup_cache
