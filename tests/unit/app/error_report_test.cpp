#include "app/error_report.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace launcher::app {

namespace {

TEST(ErrorReportTest, ShowsTheMessageOnceOwnedByTheWindowInFront) {
  test::RecordingUi ui;
  int splash = 0;
  const ErrorReport report(ui, [&splash] { return static_cast<ui::WindowHandle>(&splash); });
  report({StringId::kWindowsException, {StringId::kModulePathFailed, 2}, 2});
  ASSERT_EQ(ui.errors, (std::vector<WideString>{L"Windows exception: failed to get the module path (errno = 2).\n"}));
  EXPECT_EQ(ui.owners, (std::vector<ui::WindowHandle>{&splash}));
}

TEST(ErrorReportTest, ASilentErrorShowsNothing) {
  test::RecordingUi ui;
  const ErrorReport report(ui, nullptr);
  report(LaunchError::Silent());
  EXPECT_TRUE(ui.errors.empty());
}

TEST(ErrorReportTest, WithoutAWindowTheBoxHasNoOwner) {
  test::RecordingUi ui;
  const ErrorReport report(ui, nullptr);
  report({StringId::kMainClassMissing, {}});
  EXPECT_EQ(ui.errors, (std::vector<WideString>{L"Main class was not specified in INI file."}));
  EXPECT_EQ(ui.owners, (std::vector<ui::WindowHandle>{nullptr}));
}

}  // namespace

}  // namespace launcher::app
