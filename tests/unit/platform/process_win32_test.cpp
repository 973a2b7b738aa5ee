#include "platform/process.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "platform/windows_api.h"
#include "settings/builtin_settings.h"
#include "test_support.h"

namespace launcher::platform {

namespace {

// A console launcher writes its messages where standard error goes. Redirected
// to a file (as to a pipe), the text arrives as a Windows program's text
// output: ANSI code page, CR LF line ends, none doubled.

// Standard error pointed at a new file for the test's lifetime.
class RedirectedError {
 public:
  explicit RedirectedError(const WideString& path)
      : file_(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr)),
        saved_(::GetStdHandle(STD_ERROR_HANDLE)) {
    ::SetStdHandle(STD_ERROR_HANDLE, file_.Get());
  }
  ~RedirectedError() { ::SetStdHandle(STD_ERROR_HANDLE, saved_); }
  RedirectedError(const RedirectedError&) = delete;
  RedirectedError& operator=(const RedirectedError&) = delete;

 private:
  platform::win32::File file_;
  HANDLE saved_;
};

TEST(ProcessWin32Test, TextToAFileGetsTheAnsiCodePageAndCrLfLineEnds) {
  test::TempDir dir;
  const WideString path = dir.Path(L"stderr.txt");
  {
    const RedirectedError redirected(path);
    EXPECT_FALSE(platform::IsTerminal(platform::StandardStream::Error));
    platform::WriteStandardError(L"one\ntwo\r\n\n");
    platform::WriteStandardError(L"caf\u00E9\n");
  }
  EXPECT_EQ("one\r\ntwo\r\n\r\n" + platform::ToAnsi(L"caf\u00E9") + "\r\n", test::ReadBytes(path));
}

// The unit tests are a console program.
TEST(ProcessWin32Test, ThisProgramsImageIsAConsoleOne) {
  EXPECT_EQ(platform::ImageSubsystem::Console, platform::OwnImageSubsystem());
}

// The test program carries builtin_settings.ini as its RCDATA "SETTINGS" (UTF-8 with BOM).
TEST(ProcessWin32Test, TheBuiltInSettingsAreReadAndDecodedFromTheExecutablesResource) {
  std::optional<WideString> text = platform::LoadBuiltinSettingsText();
  ASSERT_TRUE(text.has_value());
  settings::BuiltinSettings settings = settings::ParseBuiltinSettings(*text);
  EXPECT_EQ(settings.Find(L"Application", L"Main Class"), L"com.example.BuiltIn");
  EXPECT_EQ(settings.Find(L"Java Runtime Environment", L"Non ASCII"), L"Gr\u00FC\u00DFe");
}

}  // namespace

}  // namespace launcher::platform
