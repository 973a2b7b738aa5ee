#include "platform/process.h"

#include <gtest/gtest.h>

namespace launcher::platform {

namespace {

using platform::JoinCommandLine;

TEST(ProcessTest, ArgumentsComeBackWholeThroughTheRuntimeParser) {
  const std::vector<std::pair<WideString, WideString>> cases = {
      {L"plain", L"plain"},
      {L"C:\\Program Files\\Java\\bin\\java.exe", L"\"C:\\Program Files\\Java\\bin\\java.exe\""},
      {L"", L"\"\""},
      {L"tab\there", L"\"tab\there\""},
      {L"say \"hi\"", L"\"say \\\"hi\\\"\""},
      {L"a\\\"b", L"\"a\\\\\\\"b\""},
      // Backslashes count only before a quote, the closing one included.
      {L"C:\\dir\\", L"C:\\dir\\"},
      {L"C:\\my dir\\", L"\"C:\\my dir\\\\\""},
      {L"-cp", L"-cp"},
  };
  for (const auto& [argument, quoted] : cases) EXPECT_EQ(JoinCommandLine({argument}), quoted);
  EXPECT_EQ(JoinCommandLine({L"java", L"-cp", L"", L"a b"}), L"java -cp \"\" \"a b\"");
  EXPECT_EQ(JoinCommandLine({}), L"");
}

}  // namespace

}  // namespace launcher::platform
