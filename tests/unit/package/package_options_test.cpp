#include "package/package_options.h"

#include <gtest/gtest.h>

namespace launcher::package {
namespace {

WideStringList Arguments(std::initializer_list<const wchar_t*> extra) {
  WideStringList arguments{
      L"--exe", L"dist/MyApp.exe", L"--name",      L"My App",         L"--version",
      L"2.5.0", L"--publisher",    L"Example Ltd", L"--upgrade-code", L"8d0f1a3e-1b2c-4d5e-8f90-a1b2c3d4e5f6"};
  arguments.insert(arguments.end(), extra.begin(), extra.end());
  return arguments;
}

TEST(PackageOptionsTest, ReadsTheProductsFactsAndWritesTheGuidInRegistryForm) {
  PackageResult<PackageOptions> options =
      ParsePackageOptions(Arguments({L"--per-machine", L"--associate", L".myd", L"--msi", L"out/a.msi"}));
  ASSERT_TRUE(options) << options.error().message;
  EXPECT_EQ(options->product.upgradeCode, "{8D0F1A3E-1B2C-4D5E-8F90-A1B2C3D4E5F6}");
  EXPECT_EQ(options->product.scope, InstallScope::PerMachine);
  EXPECT_EQ(options->product.association, ".myd");
  EXPECT_FALSE(options->zip);
  EXPECT_EQ(ParsePackageOptions(Arguments({L"--zip", L"a.zip"}))->product.scope, InstallScope::PerUser);
}

TEST(PackageOptionsTest, RefusesFactsAnInstallerCannotCarry) {
  const struct {
    WideStringList arguments;
    const char* message;
  } cases[] = {
      {Arguments({L"--msi", L"a.msi", L"--version", L"2.5.0.1"}), "fourth field"},
      {Arguments({L"--msi", L"a.msi", L"--version", L"256.0"}), "at most 255.255.65535"},
      {Arguments({L"--msi", L"a.msi", L"--version", L"2..5"}), "not one to three numbers"},
      {Arguments({L"--msi", L"a.msi", L"--upgrade-code", L"{8D0F1A3E-1B2C-4D5E-8F90-A1B2C3D4E5F}"}), "not a GUID"},
      {Arguments({L"--msi", L"a.msi", L"--name", L"My/App"}), "cannot name a folder"},
      {Arguments({L"--msi", L"a.msi", L"--publisher", L"Example [Ltd]"}), "cannot name a registry key"},
      {Arguments({L"--msi", L"a.msi", L"--associate", L"myd"}), "not an extension"},
      {Arguments({}), "nothing to write"},
      {Arguments({L"--zip", L"a.zip", L"--colour", L"red"}), "unknown option --colour"},
      {{L"--exe", L"MyApp", L"--name", L"A", L"--zip", L"a.zip"}, "not a program's name ending in .exe"},
      {{L"--exe", L"MyApp.exe", L"--name", L"A", L"--msi", L"a.msi"}, "--version is missing"},
  };
  for (const auto& each : cases) {
    PackageResult<PackageOptions> options = ParsePackageOptions(each.arguments);
    ASSERT_FALSE(options) << each.message;
    EXPECT_NE(options.error().message.find(each.message), std::string::npos) << options.error().message;
  }
}

}  // namespace
}  // namespace launcher::package
