#include "jvm/runtime_dependencies.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "test_support.h"

namespace launcher::jvm {

namespace {

TEST(RuntimeDependenciesTest, OnlyPlainNamesOfFilesInTheRuntimesFolder) {
  test::TempDir dir;
  const WideString bin = dir.Path(L"bin") + platform::kPathSeparator;
  for (const wchar_t* name : {L"vcruntime140.dll", L"msvcp140.dll", L"jli.dll"}) test::Touch(bin + name);
  test::Touch(dir.Path(L"outside.dll"));
  const std::vector<std::string> imported{
      "KERNEL32.dll",  // a system library: not in bin
      "msvcp140.dll",
      "vcruntime140.dll",
      "..\\outside.dll",
      "../outside.dll",
      "C:outside.dll",  // paths are no file names of bin
      "..",
      "",
      std::string("jli.dll\x01", 8),  // control characters neither
  };
  EXPECT_EQ(RuntimeDependencies(imported, bin), (WideStringList{bin + L"msvcp140.dll", bin + L"vcruntime140.dll"}));
}

TEST(RuntimeDependenciesTest, ALibraryThatIsNoImageLoadsNothing) {
  test::TempDir dir;
  test::RecordingTrace trace;
  const WideString library = test::Join({dir.Path(L"bin"), L"server", L"jvm.dll"});
  test::WriteBytes(library, "not an image");
  test::Touch(test::Join({dir.Path(L"bin"), L"vcruntime140.dll"}));
  LoadRuntimeDependencies(library, trace);
  LoadRuntimeDependencies(dir.Path(L"missing.dll"), trace);
  EXPECT_TRUE(trace.lines.empty());
}

}  // namespace

}  // namespace launcher::jvm
