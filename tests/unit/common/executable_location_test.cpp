#include "common/executable_location.h"

#include <gtest/gtest.h>

#include "common/message_text.h"
#include "platform/paths.h"
#include "test_support.h"

namespace launcher {

namespace {

using test::Join;

TEST(ExecutableLocationTest, SettingsFileReplacesTheFileNamesLastExtension) {
  EXPECT_EQ(SettingsPathFor(Join({L"", L"app", L"start.exe"})), Join({L"", L"app", L"start.ini"}));
  EXPECT_EQ(SettingsPathFor(Join({L"", L"app", L"tool.beta.exe"})), Join({L"", L"app", L"tool.beta.ini"}));
  // A dot in a folder name never cuts the path.
  std::optional<WideString> dotted = SettingsPathFor(Join({L"", L"my.app", L"launcher"}));
  if (platform::kExtensionlessExecutableHasSettings) {
    EXPECT_EQ(dotted, Join({L"", L"my.app", L"launcher.ini"}));
  } else {
    EXPECT_EQ(dotted, std::nullopt);
  }
}

TEST(ExecutableLocationTest, FolderAndSettingsFileComeFromThePath) {
  Result<ExecutableLocation> location = LocateExecutable(Join({L"", L"app", L"start.exe"}));
  ASSERT_TRUE(location);
  EXPECT_EQ(location->path, Join({L"", L"app", L"start.exe"}));
  EXPECT_EQ(location->folder, Join({L"", L"app", L""}));
  EXPECT_EQ(location->settingsFile, Join({L"", L"app", L"start.ini"}));
}

TEST(ExecutableLocationTest, AnUnknownPathIsAWindowsErrorWithTheSystemsCode) {
  Result<ExecutableLocation> location = LocateExecutable(platform::SystemError{5});
  ASSERT_FALSE(location);
  EXPECT_EQ(location.error().message, StringId::kWindowsException);
  EXPECT_EQ(location.error().systemError, 5u);
  EXPECT_EQ(MessageOf(location.error()), L"Windows exception: failed to get the module path (errno = 5).\n");
}

}  // namespace

}  // namespace launcher
