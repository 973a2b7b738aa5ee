#include "platform/library.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text.h"
#include "platform/windows_api.h"
#include "test_support.h"

namespace launcher::platform {

// The library search after start-up, seen through one DLL name in two folders
// (its two builds answer which one they are): the standard order less the
// current directory, with the search path's folders in their order. (Wine
// still looks in the current directory after SetDllDirectoryW(""), so that
// part is not checked here.)

namespace {

const WideString kOwnFolder = platform::FromUtf8(TEST_DEPENDENCY_FOLDER);
const WideString kPlantedFolder = platform::FromUtf8(TEST_PLANTED_DEPENDENCY_FOLDER);

// Which build the name loads, or "none"; unloaded again, so that each case searches anew.
std::string LoadByName() {
  HMODULE library = ::LoadLibraryW(L"jvmdep140.dll");
  if (library == nullptr) return "none";
  using Origin = const char* (*)();
  auto origin = reinterpret_cast<Origin>(reinterpret_cast<void*>(::GetProcAddress(library, "StubDependencyOrigin")));
  std::string answer = origin != nullptr ? origin() : "no export";
  ::FreeLibrary(library);
  return answer;
}

class LibraryWin32Test : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(platform::ExcludeCurrentFolderFromLibrarySearch(), platform::LibrarySearchRule::NoCurrentFolder);
  }
};

TEST_F(LibraryWin32Test, NoListOfAddedFoldersReplacesTheStandardOrder) {
  wchar_t folder[8] = L"unset";
  // An empty DLL directory: the rule that only removes the current directory.
  EXPECT_EQ(::GetDllDirectoryW(8, folder), 0u);
  EXPECT_EQ(::GetLastError(), 0u);
  EXPECT_EQ(WideString(folder), L"");
}

TEST_F(LibraryWin32Test, TheSearchPathsFoldersAreSearchedInTheirOrder) {
  const WideString list(1, platform::kPathListSeparator);
  struct Case {
    WideString path;
    std::string loaded;
  };
  for (const Case& c :
       {Case{kPlantedFolder + list + kOwnFolder, "planted"}, Case{kOwnFolder + list + kPlantedFolder, "runtime-bin"}}) {
    test::ScopedEnvironment path(platform::kSearchPathVariable, c.path);
    EXPECT_EQ(LoadByName(), c.loaded) << platform::ToUtf8(c.path);
  }
}

}  // namespace

}  // namespace launcher::platform
