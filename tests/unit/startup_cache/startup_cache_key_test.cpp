#include "startup_cache/startup_cache_key.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/paths.h"

namespace launcher::startup_cache {

namespace {

StampedFile File(const WideString& path, uint64_t size, int64_t modified) {
  return {path, {true, true, size, modified}};
}
StampedFile Folder(const WideString& path) { return {path, {true, false, 4096, 1}}; }
StampedFile Missing(const WideString& path) { return {path, {}}; }

CacheKeyInputs Inputs() {
  return {CacheMechanism::ClassDataArchive,
          L"/jdk",
          L"17.0.15",
          File(L"/jdk/lib/server/libjvm.so", 20000000, 1700000000000000000),
          {File(L"/app/a.jar", 100, 5), File(L"/app/b.jar", 200, 6)},
          {"-Djava.library.path=/usr/bin:/bin", "-Djava.class.path=/app/a.jar:/app/b.jar", "-Xmx512m"},
          L"\n\n"};
}

TEST(StartupCacheKeyTest, EveryInputChangesTheKey) {
  const std::string base = CacheKey(Inputs());
  EXPECT_EQ(base.size(), 16u);
  EXPECT_EQ(base.find_first_not_of("0123456789abcdef"), std::string::npos);
  EXPECT_EQ(CacheKey(Inputs()), base);
  const std::vector<std::pair<const char*, std::function<void(CacheKeyInputs&)>>> changes = {
      {"mechanism", [](CacheKeyInputs& i) { i.mechanism = CacheMechanism::AotCache; }},
      {"runtime home", [](CacheKeyInputs& i) { i.runtimeHome = L"/jdk2"; }},
      {"runtime version", [](CacheKeyInputs& i) { i.runtimeVersion = L"17.0.16"; }},
      {"JVM library replaced", [](CacheKeyInputs& i) { i.jvmLibrary.identity.modified += 1; }},
      {"jar rewritten", [](CacheKeyInputs& i) { i.archivedEntries[1].identity.modified += 1; }},
      {"jar grown", [](CacheKeyInputs& i) { i.archivedEntries[0].identity.size += 1; }},
      {"jar renamed", [](CacheKeyInputs& i) { i.archivedEntries[0].path = L"/app/c.jar"; }},
      {"jar dropped", [](CacheKeyInputs& i) { i.archivedEntries.pop_back(); }},
      {"option added", [](CacheKeyInputs& i) { i.options.push_back("-XX:+UseSerialGC"); }},
      {"option changed", [](CacheKeyInputs& i) { i.options[2] = "-Xmx1g"; }},
      {"environment options", [](CacheKeyInputs& i) { i.environmentOptions = L"-XX:-UseCompressedOops\n\n"; }},
  };
  for (const auto& [what, change] : changes) {
    CacheKeyInputs inputs = Inputs();
    change(inputs);
    EXPECT_NE(CacheKey(inputs), base) << what;
  }
}

TEST(StartupCacheKeyTest, TheNativeLibraryPathDoesNotChangeTheKey) {
  CacheKeyInputs inputs = Inputs();
  inputs.options[0] = "-Djava.library.path=/opt/bin:/usr/bin:/bin";
  EXPECT_EQ(CacheKey(inputs), CacheKey(Inputs()));
}

TEST(StartupCacheKeyTest, PiecesDoNotRunTogether) {
  CacheKeyInputs joined = Inputs();
  joined.options = {"-Da", "-Db"};
  CacheKeyInputs one = Inputs();
  one.options = {"-Da-Db"};
  EXPECT_NE(CacheKey(joined), CacheKey(one));
}

TEST(StartupCacheKeyTest, TheFamilyDependsOnTheLauncherAndTheRuntimeOnly) {
  const std::string family = CacheFamily(L"/app/start", L"/jdk");
  EXPECT_EQ(family.size(), 16u);
  EXPECT_EQ(CacheFamily(L"/app/start", L"/jdk"), family);
  EXPECT_NE(CacheFamily(L"/app/other", L"/jdk"), family);
  EXPECT_NE(CacheFamily(L"/app/start", L"/jdk2"), family);
  EXPECT_NE(CacheFamily(L"/app/start", L"/jdk"), CacheKey(Inputs()));
}

TEST(StartupCacheKeyTest, TheClassPathIsSplitAsTheJvmSplitsIt) {
  const WideString separator(1, platform::kPathListSeparator);
  const WideString classPath = L"first.jar" + separator + L"second dir" + separator + L"third.jar";
  EXPECT_EQ(ClassPathElements(
                {"-Djava.library.path=x", "-Djava.class.path=" + std::string(classPath.begin(), classPath.end())}),
            (WideStringList{L"first.jar", L"second dir", L"third.jar"}));
  EXPECT_TRUE(ClassPathElements({"-Xmx1g"}).empty());
}

TEST(StartupCacheKeyTest, AnArchiveHoldsTheLeadingFilesOfTheClassPath) {
  const std::vector<StampedFile> archivable =
      ArchivableEntries({File(L"a.jar", 1, 1), File(L"b.jar", 2, 2), Folder(L"classes"), File(L"c.jar", 3, 3)});
  ASSERT_EQ(archivable.size(), 2u);
  EXPECT_EQ(archivable[1].path, L"b.jar");
  EXPECT_EQ(ArchivableEntries({File(L"a.jar", 1, 1), Missing(L"gone.jar"), File(L"c.jar", 3, 3)}).size(), 1u);
  EXPECT_TRUE(ArchivableEntries({Folder(L"classes"), File(L"a.jar", 1, 1)}).empty());
}

}  // namespace

}  // namespace launcher::startup_cache
