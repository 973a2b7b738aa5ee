#include "package/wix_source.h"

#include <gtest/gtest.h>

namespace launcher::package {
namespace {

// Stands for the hash: the seed itself, so that a test sees what each GUID
// depends on.
std::string SeedAsGuid(std::string_view seed) { return "{" + std::string(seed) + "}"; }

ProductFacts Product(InstallScope scope, std::string association = "") {
  return {.name = "My App",
          .version = "2.5.0",
          .publisher = "Example & Sons",
          .upgradeCode = "{U}",
          .scope = scope,
          .association = std::move(association)};
}

std::string SourceOf(const ProductFacts& product) {
  return WixSource({.product = product,
                    .codes = CodesOf(product, "digest", SeedAsGuid),
                    .exeName = "MyApp.exe",
                    .paths = {"lib/app.jar", "lib/more/b.jar", "runtime/bin/java.dll"},
                    .sourceFolder = "files"},
                   SeedAsGuid);
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(WixSourceTest, PerUserInstallsUnderTheProfileWithRegistryKeyPathsAndRemovesItsFolders) {
  const std::string source = SourceOf(Product(InstallScope::PerUser));
  for (const char* part : {
           "InstallScope=\"perUser\"",
           "<Property Id=\"ALLUSERS\" Value=\"2\"/>",
           "<Property Id=\"MSIINSTALLPERUSER\" Value=\"1\"/>",
           "<Directory Id=\"LocalAppDataFolder\">",
           "Manufacturer=\"Example &amp; Sons\"",
           "<MajorUpgrade",
           "<Icon Id=\"program.exe\" SourceFile=\"files/MyApp.exe\"/>",
           "<Property Id=\"ARPPRODUCTICON\" Value=\"program.exe\"/>",
           "<RegistryValue Root=\"HKCU\" Key=\"Software\\Example &amp; Sons\\My App\" Name=\"folder lib/more\"",
           "<RemoveFolder Id=\"rProgramsFolder\" On=\"uninstall\"/>",
           "<ComponentRef Id=\"programs\"/>",
           "<File Id=\"program\" Name=\"MyApp.exe\" Source=\"files/MyApp.exe\"/>",
           "<File Id=\"f2\" Name=\"b.jar\" Source=\"files/lib/more/b.jar\"/>",
           "Target=\"[#program]\" WorkingDirectory=\"INSTALLDIR\"",
           "Guid=\"{{U}|perUser|folder lib/more}\"",
       }) {
    EXPECT_TRUE(Has(source, part)) << part << "\n" << source;
  }
  // Five folders (the install folder, lib, lib/more, runtime, runtime/bin), a component each.
  EXPECT_TRUE(Has(source, "<ComponentRef Id=\"c4\"/>")) << source;
  EXPECT_FALSE(Has(source, "<ComponentRef Id=\"c5\"/>")) << source;
  EXPECT_FALSE(Has(source, "Software\\Classes")) << "no association asked for";
}

TEST(WixSourceTest, PerMachineInstallsUnderProgramFilesWithComponentsOfItsOwn) {
  const std::string source = SourceOf(Product(InstallScope::PerMachine));
  EXPECT_TRUE(Has(source, "InstallScope=\"perMachine\"")) << source;
  EXPECT_FALSE(Has(source, "ALLUSERS")) << "wixl writes it for a per-machine package:\n" << source;
  EXPECT_TRUE(Has(source, "<Directory Id=\"ProgramFiles64Folder\">")) << source;
  EXPECT_TRUE(Has(source, "Root=\"HKLM\"")) << source;
  EXPECT_TRUE(Has(source, "<Component Id=\"c0\" Win64=\"yes\"")) << "HKLM values go to the 64-bit view:\n" << source;
  EXPECT_FALSE(Has(source, "HKCU")) << source;
  EXPECT_FALSE(Has(source, "MSIINSTALLPERUSER")) << source;
  // A per-user component never shares its code with a per-machine one.
  EXPECT_TRUE(Has(source, "Guid=\"{{U}|perMachine|folder lib/more}\"")) << source;
}

TEST(WixSourceTest, TheAssociationOpensTheProgramWithTheFileAsItsArgument) {
  const std::string source = SourceOf(Product(InstallScope::PerUser, ".myd"));
  for (const char* part : {
           "Key=\"Software\\Classes\\.myd\" Type=\"string\" Value=\"MyApp.myd\"",
           "Key=\"Software\\Classes\\MyApp.myd\\shell\\open\\command\" Type=\"string\" "
           "Value=\"&quot;[#program]&quot; &quot;%1&quot;\"",
           "Key=\"Software\\Classes\\MyApp.myd\\DefaultIcon\" Type=\"string\" Value=\"[#program],0\"",
       }) {
    EXPECT_TRUE(Has(source, part)) << part << "\n" << source;
  }
}

TEST(WixSourceTest, ThePackageCodeFollowsTheContentAndTheProductCodeTheVersion) {
  const ProductFacts product = Product(InstallScope::PerUser);
  ProductFacts next = product;
  next.version = "2.6.0";
  EXPECT_EQ(CodesOf(product, "a", SeedAsGuid).product, CodesOf(product, "b", SeedAsGuid).product);
  EXPECT_NE(CodesOf(product, "a", SeedAsGuid).package, CodesOf(product, "b", SeedAsGuid).package);
  EXPECT_NE(CodesOf(product, "a", SeedAsGuid).product, CodesOf(next, "a", SeedAsGuid).product);
}

}  // namespace
}  // namespace launcher::package
