#include "settings/settings_readers.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

class SettingsReadersTest : public testing::Test {
 protected:
  LayeredReader Reader(const std::string& file, const WideString& builtin) {
    test::WriteBytes(path_, file);
    return LayeredReader{path_, ParseBuiltinSettings(builtin)};
  }

  test::TempDir dir_;
  WideString path_ = dir_.Path(L"app.ini");
};

TEST_F(SettingsReadersTest, PlainReaderReadsValuesOfAnyLength) {
  std::string longValue(5000, 'x');
  longValue += "end";
  // 255 characters fill the first buffer exactly: the reader must ask again.
  std::string exact(255, 'y');
  test::WriteBytes(path_, "[S]\r\nlong=" + longValue + "\r\nexact=" + exact + "\r\n");
  PlainReader reader{path_};
  EXPECT_EQ(reader.ReadPlain(L"S", L"long"), WideString(5000, L'x') + L"end");
  EXPECT_EQ(reader.ReadPlain(L"S", L"exact"), WideString(255, L'y'));
  EXPECT_EQ(reader.ReadPlain(L"S", L"missing"), L"");
  EXPECT_EQ(PlainReader{dir_.Path(L"none.ini")}.ReadPlain(L"S", L"long"), L"");
}

TEST_F(SettingsReadersTest, LayeredLookups) {
  struct Case {
    const char* file;
    const wchar_t* builtin;
    const wchar_t* expected;
  } cases[] = {
      // built-in only
      {"", L"[JRE]\r\nk=base\r\n", L"base"},
      // the file replaces the built-in value, and its "+" section is then not read
      {"[JRE]\r\nk=file\r\n[JRE+]\r\nk=more\r\n", L"[JRE]\r\nk=base\r\n", L"file"},
      // the "+" section appends after one space
      {"[JRE+]\r\nk=more\r\n", L"[JRE]\r\nk=base\r\n", L"base more"},
      // ... also with no built-in value
      {"[JRE+]\r\nk=more\r\n", L"", L" more"},
      // a "+" value that starts with a space gets none added (quotes keep the space)
      {"[JRE+]\r\nk=\" more\"\r\n", L"[JRE]\r\nk=base\r\n", L"base more"},
      // an empty file value does not replace the built-in one
      {"[JRE]\r\nk=\r\n", L"[JRE]\r\nk=base\r\n", L"base"},
      // the file's names match without regard to case, the built-in names exactly
      {"[jre]\r\nK=file\r\n", L"[JRE]\r\nk=base\r\n", L"file"},
      {"", L"[jre]\r\nk=base\r\n", L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Reader(c.file, c.builtin).ReadLayered(L"JRE", L"k"), c.expected) << c.file << " / " << c.builtin;
  }
}

}  // namespace
