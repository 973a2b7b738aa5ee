#include "settings/settings_readers.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace launcher::settings {

namespace {

class SettingsReadersTest : public testing::Test {
 protected:
  LayeredReader Reader(const std::string& file, const WideString& builtin) {
    test::WriteBytes(path_, file);
    return LayeredReader{platform::IniFile::Open(path_), ParseBuiltinSettings(builtin)};
  }

  test::TempDir dir_;
  WideString path_ = dir_.Path(L"app.ini");
};

TEST_F(SettingsReadersTest, LayeredLookupsAndTheLayersTheyCameFrom) {
  struct Case {
    const char* file;
    const wchar_t* builtin;
    const wchar_t* expected;
    SettingLayer layer;
  } cases[] = {
      // built-in only
      {"", L"[JRE]\r\nk=base\r\n", L"base", SettingLayer::Builtin},
      // the file replaces the built-in value, and its "+" section is then not read
      {"[JRE]\r\nk=file\r\n[JRE+]\r\nk=more\r\n", L"[JRE]\r\nk=base\r\n", L"file", SettingLayer::SettingsFile},
      // the "+" section appends after one space
      {"[JRE+]\r\nk=more\r\n", L"[JRE]\r\nk=base\r\n", L"base more", SettingLayer::BuiltinAndPlusSection},
      // ... also with no built-in value
      {"[JRE+]\r\nk=more\r\n", L"", L" more", SettingLayer::PlusSection},
      // ... or an empty one
      {"[JRE+]\r\nk=more\r\n", L"[JRE]\r\nk=\r\n", L" more", SettingLayer::PlusSection},
      // a "+" value that starts with a space gets none added (quotes keep the space)
      {"[JRE+]\r\nk=\" more\"\r\n", L"[JRE]\r\nk=base\r\n", L"base more", SettingLayer::BuiltinAndPlusSection},
      // an empty file value does not replace the built-in one
      {"[JRE]\r\nk=\r\n", L"[JRE]\r\nk=base\r\n", L"base", SettingLayer::Builtin},
      // the file's names match without regard to case, the built-in names exactly
      {"[jre]\r\nK=file\r\n", L"[JRE]\r\nk=base\r\n", L"file", SettingLayer::SettingsFile},
      {"", L"[jre]\r\nk=base\r\n", L"", SettingLayer::None},
  };
  for (const Case& c : cases) {
    const SettingValue value = Reader(c.file, c.builtin).ReadValue(L"JRE", L"k");
    EXPECT_EQ(value.text, c.expected) << c.file << " / " << c.builtin;
    EXPECT_EQ(value.layer, c.layer) << c.file << " / " << c.builtin;
  }
}

TEST_F(SettingsReadersTest, EveryNonEmptyValueReadIsTracedWithItsLayer) {
  test::WriteBytes(path_, "[JRE]\r\nfile=C:\\x \"y\"\r\n[JRE+]\r\nplus=more\r\n");
  test::RecordingTrace trace;
  const LayeredReader layered{platform::IniFile::Open(path_),
                              ParseBuiltinSettings(L"[JRE]\r\nplus=base\r\nbuilt=in\r\n"), trace};
  layered.ReadLayered(L"JRE", L"file");
  layered.ReadLayered(L"JRE", L"plus");
  layered.ReadLayered(L"JRE", L"built");
  layered.ReadLayered(L"JRE", L"missing");
  PlainReader{platform::IniFile::Open(path_), trace, SettingLayer::PerUserFile}.ReadPlain(L"JRE", L"file");
  PlainReader{platform::IniFile::Open(path_)}.ReadPlain(L"JRE", L"file");  // no trace given: nothing written
  EXPECT_EQ(trace.lines, (std::vector<std::string>{
                             R"(setting section="JRE" key="file" value="C:\\x \"y\"" layer=settings-file)",
                             R"(setting section="JRE" key="plus" value="base more" layer=built-in+plus-section)",
                             R"(setting section="JRE" key="built" value="in" layer=built-in)",
                             R"(setting section="JRE" key="file" value="C:\\x \"y\"" layer=per-user-file)",
                         }));
}

}  // namespace

}  // namespace launcher::settings
