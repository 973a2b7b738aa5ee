#include "discovery/release_file.h"

#include <gtest/gtest.h>

namespace {

TEST(ReleaseFileTest, ValuesOfTheFile) {
  const std::string text =
      "IMPLEMENTOR=\"Eclipse Adoptium\"\r\n"
      "JAVA_VERSION=\"17.0.2\"\r\n"
      "JAVA_VERSION_DATE=\"2022-01-18\"\r\n"
      "  IMAGE_TYPE = JDK  \n"
      "EMPTY=\"\"\n"
      "NOTE=\"caf\xC3\xA9\"\n"
      "JAVA_VERSION=\"11\"\n"
      "no equals sign\n"
      "LAST=\"unterminated";
  struct Case {
    const char* key;
    std::optional<WideString> value;
  } cases[] = {
      {"JAVA_VERSION", L"17.0.2"},  // the first line of the key, not the later one
      {"IMPLEMENTOR", L"Eclipse Adoptium"},
      {"IMAGE_TYPE", L"JDK"},  // unquoted, blanks around
      {"EMPTY", L""},
      {"NOTE", L"caf\u00e9"},  // UTF-8
      {"LAST", L"\"unterminated"},
      {"JAVA", std::nullopt},  // a prefix of a key is not the key
      {"java_version", std::nullopt},
      {"MISSING", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ReleaseFileValue(text, c.key), c.value) << c.key;
  EXPECT_EQ(ReleaseFileValue("", "JAVA_VERSION"), std::nullopt);
  EXPECT_EQ(ReleaseFileValue("JAVA_VERSION=", "JAVA_VERSION"), WideString());
}

}  // namespace
