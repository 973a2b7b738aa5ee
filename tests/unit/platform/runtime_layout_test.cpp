#include "platform/runtime_layout.h"

#include <gtest/gtest.h>

namespace launcher::platform {

namespace {

struct ReleaseCase {
  const char* text;
  std::optional<WideString> version;
};

TEST(RuntimeLayoutTest, JavaVersionLine) {
  const ReleaseCase cases[] = {
      {"IMPLEMENTOR=\"X\"\nJAVA_VERSION=\"17.0.2\"\n", L"17.0.2"},
      {"JAVA_VERSION=\"1.8.0_292\"\r\nOS_NAME=\"Linux\"\r\n", L"1.8.0_292"},  // CR LF lines
      {"  JAVA_VERSION = 11.0.1  ", L"11.0.1"},                               // blanks around, no quotes
      {"JAVA_VERSION=\"\"\n", L""},
      {"JAVA_VERSION=", L""},
      {"JAVA_VERSION=\"21\"\nJAVA_VERSION=\"22\"\n", L"21"},  // the first line counts
      {"JAVA_VERSION_DATE=\"2024-01-16\"\nJAVA_VERSION=\"21.0.2\"", L"21.0.2"},
      {"JAVA_VERSION=\"unterminated", L"\"unterminated"},
      {"java_version=\"17\"\nJAVA=\"17\"\n", std::nullopt},  // the key with its case, not a prefix
      {"JAVA_VERSION", std::nullopt},
      {"", std::nullopt},
      {"JAVA_VERSION=\"17\xFF\"\n", L"17\uFFFD"},  // not UTF-8: replaced, not dropped
  };
  for (const ReleaseCase& c : cases) {
    EXPECT_EQ(platform::ReleaseFileValue(c.text, "JAVA_VERSION"), c.version) << c.text;
  }
}

TEST(RuntimeLayoutTest, EachKeyOfTheFile) {
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
  for (const Case& c : cases) EXPECT_EQ(platform::ReleaseFileValue(text, c.key), c.value) << c.key;
}

TEST(RuntimeLayoutTest, TextWithNulBytesIsReadWhole) {
  constexpr char kText[] = "A=\0\0\nJAVA_VERSION=\"9\"\n";
  const std::string text(kText, sizeof kText - 1);
  EXPECT_EQ(platform::ReleaseFileValue(text, "JAVA_VERSION"), L"9");
}

}  // namespace

}  // namespace launcher::platform
