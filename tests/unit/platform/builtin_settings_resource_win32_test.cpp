#include "platform/builtin_settings_resource.h"

#include <gtest/gtest.h>

#include "settings/builtin_settings.h"

namespace {

// The test program carries builtin_settings.ini as its RCDATA "SETTINGS" (UTF-8 with BOM).
TEST(BuiltinSettingsResourceTest, ReadsAndDecodesTheExecutablesResource) {
  std::optional<WideString> text = platform::LoadBuiltinSettingsText();
  ASSERT_TRUE(text.has_value());
  BuiltinSettings settings = ParseBuiltinSettings(*text);
  EXPECT_EQ(settings.Find(L"Application", L"Main Class"), L"com.example.BuiltIn");
  EXPECT_EQ(settings.Find(L"Java Runtime Environment", L"Non ASCII"), L"Gr\u00FC\u00DFe");
}

}  // namespace
