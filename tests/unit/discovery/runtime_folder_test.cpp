#include "discovery/runtime_folder.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "platform/runtime_layout.h"
#include "runtime_files.h"
#include "test_support.h"

namespace launcher::discovery {

namespace {

using test::AddJvmLibrary;
using test::JvmLibraryPath;

class RuntimeFolderTest : public testing::Test {
 protected:
  WideString Home(const WideString& name) { return dir_.Path(name) + platform::kPathSeparator; }

  test::TempDir dir_;
};

TEST_F(RuntimeFolderTest, ModesSearchTheVmFoldersInTheirOrder) {
  const WideString both = Home(L"both"), server = Home(L"server"), client = Home(L"client"), rare = Home(L"rare"),
                   none = Home(L"none");
  AddJvmLibrary(both, L"client");
  AddJvmLibrary(both, L"server");
  AddJvmLibrary(server, L"server");
  AddJvmLibrary(client, L"client");
  AddJvmLibrary(rare, L"jrockit");
  AddJvmLibrary(rare, L"hotspot");

  struct Case {
    WideString home;
    settings::JvmTypeMode mode;
    WideString expected;
    bool server;
  } cases[] = {
      {both, settings::JvmTypeMode::Default, JvmLibraryPath(both, L"client"), false},
      {both, settings::JvmTypeMode::Server, JvmLibraryPath(both, L"server"), true},
      {both, settings::JvmTypeMode::FavorServer, JvmLibraryPath(both, L"server"), true},
      {server, settings::JvmTypeMode::Default, JvmLibraryPath(server, L"server"), true},
      {server, settings::JvmTypeMode::Server, JvmLibraryPath(server, L"server"), true},
      {server, settings::JvmTypeMode::FavorServer, JvmLibraryPath(server, L"server"), true},
      {client, settings::JvmTypeMode::Server, L"", false},
      {client, settings::JvmTypeMode::FavorServer, JvmLibraryPath(client, L"client"), false},
      {rare, settings::JvmTypeMode::Default, JvmLibraryPath(rare, L"hotspot"), false},  // hotspot before jrockit
      {rare, settings::JvmTypeMode::FavorServer, JvmLibraryPath(rare, L"hotspot"), false},
      {none, settings::JvmTypeMode::Default, L"", false},
  };
  for (const Case& c : cases) {
    bool serverFlag = !c.server;  // must be written when found, left alone otherwise
    WideString found = LocateJvmLibrary(c.home, c.mode, serverFlag);
    EXPECT_EQ(found, c.expected) << c.home << " mode " << static_cast<int>(c.mode);
    if (found.empty()) {
      EXPECT_EQ(serverFlag, !c.server) << "written although nothing was found";
    } else {
      EXPECT_EQ(serverFlag, c.server) << c.home;
    }
  }
}

TEST(RuntimeLayoutTest, JvmLibrariesLieWhereTheRuntimesPutThem) {
  WideStringList server = platform::JvmLibrarySubPaths(L"server");
  if (platform::kPathSeparator == L'\\') {
    EXPECT_EQ(server, WideStringList{L"bin\\server\\jvm.dll"});
    EXPECT_EQ(platform::JavaLibraryMarkers(), WideStringList{L"bin\\java.dll"});
  } else {
    EXPECT_EQ(server, (WideStringList{L"lib/server/libjvm.so", L"lib/amd64/server/libjvm.so"}));
    EXPECT_EQ(platform::JavaLibraryMarkers(), (WideStringList{L"lib/libjava.so", L"lib/amd64/libjava.so"}));
  }
}

TEST_F(RuntimeFolderTest, AnEmptyHomeSearchesTheCurrentFolder) {
  bool server = false;
  // Nothing relative to the test's current folder is a runtime.
  EXPECT_EQ(LocateJvmLibrary(L"", settings::JvmTypeMode::Default, server), L"");
}

TEST_F(RuntimeFolderTest, RuntimeHomeOfALibrary) {
  const WideString home = Home(L"rt");
  EXPECT_EQ(RuntimeHomeOf(JvmLibraryPath(home, L"server")), dir_.Path(L"rt"));
  EXPECT_EQ(RuntimeHomeOf(JvmLibraryPath(home, L"client")), dir_.Path(L"rt"));
  for (const WideString& subPath : platform::JvmLibrarySubPaths(L"server")) {
    EXPECT_EQ(RuntimeHomeOf(home + subPath), dir_.Path(L"rt")) << subPath;
  }
  EXPECT_EQ(RuntimeHomeOf(L"jvm.dll"), L"jvm.dll");
}

class PrivateRuntimeTest : public RuntimeFolderTest {
 protected:
  bool Find(WideString& folder) {
    folder = FindPrivateRuntime(Home(L""));
    return true;
  }
};

TEST_F(PrivateRuntimeTest, NoMarkerGivesAnEmptyFolder) {
  WideString folder = L"unchanged";
  EXPECT_TRUE(Find(folder));
  EXPECT_EQ(folder, L"");
}

TEST_F(PrivateRuntimeTest, TheSubfolderHoldsTheRuntime) {
  test::AddJavaLibrary(Home(L"") + platform::kPrivateRuntimeFolder);
  WideString folder;
  EXPECT_TRUE(Find(folder));
  EXPECT_EQ(folder, Home(L"") + platform::kPrivateRuntimeFolder);
}

TEST_F(PrivateRuntimeTest, TheLauncherInsideARuntimeWinsOverTheSubfolder) {
  test::AddJavaLibrary(Home(L""));
  test::AddJavaLibrary(Home(L"") + platform::kPrivateRuntimeFolder);
  WideString folder;
  EXPECT_TRUE(Find(folder));
  EXPECT_EQ(folder, Home(L""));
}

}  // namespace

}  // namespace launcher::discovery
