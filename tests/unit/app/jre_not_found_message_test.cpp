#include "app/jre_not_found_message.h"

#include <gtest/gtest.h>

namespace launcher::app {

namespace {

TEST(JreNotFoundMessageTest, VersionRequirementForEveryPairOfBounds) {
  struct Case {
    const wchar_t* minimum;
    const wchar_t* maximum;
    const wchar_t* expected;
  } cases[] = {
      {L"", L"", L"latest version"},  // an absent maximum counts as open here
      {L"any", L"any", L"latest version"},
      {L"", L"1.8", L"maximum version 1.8"},
      {L"1.6", L"any", L"minimum version 1.6"},
      {L"1.6", L"", L"minimum version 1.6"},
      {L"1.6", L"1.6", L"version between 1.6 and 1.6"},  // 1.6.0.0 and 1.6.65535.65535 differ
      {L"1.6.0_20", L"1.6.0_20", L"version 1.6.0.20 is required"},
      {L"1.6", L"1.7.0_2", L"version between 1.6 and 1.7.0.2"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BuildVersionRequirementText(ParseLowerBound(c.minimum), ParseUpperBound(c.maximum)), c.expected)
        << c.minimum << " / " << c.maximum;
  }
}

TEST(JreNotFoundMessageTest, ServerModeAsksForAServerJvm) {
  settings::RuntimeRequirements requirements;
  requirements.minimum = ParseLowerBound(L"1.6");
  requirements.maximum = ParseUpperBound(L"any");
  EXPECT_EQ(BuildJreNotFoundMessage(requirements),
            L"The Java Runtime Environment (JRE) was not found. Please  download and install a JRE "
            L"(minimum version 1.6) from:");
  requirements.jvmType = settings::JvmTypeMode::Server;
  EXPECT_EQ(BuildJreNotFoundMessage(requirements),
            L"The Java Runtime Environment (JRE) was not found. Please  download and install a JRE with a server "
            L"JVM (minimum version 1.6) from:");
}

}  // namespace

}  // namespace launcher::app
