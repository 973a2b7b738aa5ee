#include "discovery/release_file.h"

#include <gtest/gtest.h>

namespace {

TEST(ReleaseFileTest, FindsAKeyWithOrWithoutQuotes) {
  const std::string text =
      "IMPLEMENTOR=\"Eclipse Adoptium\"\n"
      "JAVA_RUNTIME_VERSION=\"25.0.3+9-LTS\"\r\n"
      "JAVA_VERSION=\"25.0.3\"\r\n"
      "JVM_VARIANT=Hotspot\n"
      "  SPACED = \"a b\" \n"
      "EMPTY=\"\"";
  EXPECT_EQ(ReleaseFileValue(text, "JAVA_VERSION"), L"25.0.3");
  EXPECT_EQ(ReleaseFileValue(text, "JVM_VARIANT"), L"Hotspot");
  EXPECT_EQ(ReleaseFileValue(text, "SPACED"), L"a b");
  EXPECT_EQ(ReleaseFileValue(text, "EMPTY"), L"");
  EXPECT_EQ(ReleaseFileValue(text, "IMPLEMENTOR"), L"Eclipse Adoptium");
}

TEST(ReleaseFileTest, AKeyMatchesWholeAndTheFirstLineCounts) {
  const std::string text = "JAVA_RUNTIME_VERSION=\"17.0.15+6\"\nJAVA_VERSION=\"17.0.15\"\nJAVA_VERSION=\"99\"\n";
  EXPECT_EQ(ReleaseFileValue(text, "JAVA_VERSION"), L"17.0.15");
  EXPECT_EQ(ReleaseFileValue(text, "VERSION"), std::nullopt);
  EXPECT_EQ(ReleaseFileValue("", "JAVA_VERSION"), std::nullopt);
  EXPECT_EQ(ReleaseFileValue("JAVA_VERSION\n", "JAVA_VERSION"), std::nullopt);
}

TEST(ReleaseFileTest, ValuesAreUtf8) {
  EXPECT_EQ(ReleaseFileValue("IMPLEMENTOR=\"Gr\xC3\xBC\xC3\x9F"
                             "e\"",
                             "IMPLEMENTOR"),
            L"Gr\u00FC\u00DFe");
}

}  // namespace
