#include "platform/text.h"

#include <gtest/gtest.h>

namespace launcher::platform {

namespace {

TEST(TextTest, AsciiRunsAroundOtherCharactersAndBadBytes) {
  struct Case {
    const char* bytes;
    const wchar_t* text;
  } cases[] = {
      {"", L""},
      {"plain [ascii] = text\r\n", L"plain [ascii] = text\r\n"},
      {"a\xC3\xA9z", L"a\u00E9z"},
      {"\xE2\x82\xACz", L"\u20ACz"},
      {"x\xF0\x9F\x98\x80y", L"x\U0001F600y"},
      {"a\xFFz", L"a\uFFFDz"},                  // no lead byte
      {"ab\xE2\x82", L"ab\uFFFD\uFFFD"},        // cut at the end
      {"\xC3z", L"\uFFFDz"},                    // cut by an ASCII byte
      {"\xC0\xAFz", L"\uFFFD\uFFFDz"},          // overlong
      {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},  // a surrogate's code
      // ASCII is passed eight bytes at a time: other bytes before, on and after such a boundary.
      {"1234567\xC3\xA9", L"1234567\u00E9"},
      {"12345678\xC3\xA9", L"12345678\u00E9"},
      {"123456789\xC3\xA9z", L"123456789\u00E9z"},
      {"12345678abcdefg\xFF", L"12345678abcdefg\uFFFD"},
      {"abcdefgh\xFF-1234567xyz", L"abcdefgh\uFFFD-1234567xyz"},
      {"\xC3\xA9_12345678abcdefgh", L"\u00E9_12345678abcdefgh"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::FromUtf8(c.bytes), c.text) << c.bytes;
    if (platform::FromUtf8(c.bytes).find(L'\uFFFD') == WideString::npos) {
      EXPECT_EQ(platform::ToUtf8(c.text), c.bytes);
    }
  }
}

}  // namespace

}  // namespace launcher::platform
