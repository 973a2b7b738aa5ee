#include "common/jvm_path.h"

#include <gtest/gtest.h>

#include "common/message_text.h"
#include "platform/text.h"
#include "test_support.h"

namespace launcher {

namespace {

using test::Join;

// A character that no 8-bit text can carry (a lone surrogate, which becomes a
// replacement character in UTF-8 and "?" in an ANSI code page), so that the
// same cases hold on both systems; the scenarios use real names.
const WideString kOdd(1, static_cast<wchar_t>(0xD800));

// Fakes of the file system's answer, as plain functions (what the launcher passes).
platform::SystemResult<WideString> ShortNamesKept(const WideString&) {
  return WideString(L"C:\\APPS\\UBERAP~1\\a.jar");
}
platform::SystemResult<WideString> NoShortNames(const WideString& path) { return path; }
platform::SystemResult<WideString> NothingThere(const WideString&) { return platform::SystemError{2}; }
platform::SystemResult<WideString> NotAllowed(const WideString&) { return platform::SystemError{5}; }
platform::SystemResult<WideString> NeverAsked(const WideString&) {
  ADD_FAILURE() << "a path the code page writes needs no short name";
  return platform::SystemError{5};
}

TEST(JvmPathTest, EachPathTakesAFormItsTextCarriesOrFailsNamingTheFolder) {
  const WideString folder = Join({L"C:", L"apps", L"\u00DCber " + kOdd + L" App"});
  const WideString odd = Join({folder, L"lib", L"a.jar"});
  struct Case {
    WideString path;
    ShortPathSource shortPath;
    std::optional<JvmPath> carried;  // nullopt: message 260 naming the folder
    uint32_t systemError = 0;
  } cases[] = {
      {L"C:\\apps\\plain\\a.jar", &NeverAsked, JvmPath{L"C:\\apps\\plain\\a.jar", JvmPathForm::AsWritten}},
      {L"", &NeverAsked, JvmPath{L"", JvmPathForm::AsWritten}},
      {odd, &ShortNamesKept, JvmPath{L"C:\\APPS\\UBERAP~1\\a.jar", JvmPathForm::ShortName}},
      {odd, &NothingThere, JvmPath{odd, JvmPathForm::NamesNothing}},
      {odd, &NoShortNames, std::nullopt},   // a volume that keeps no short names
      {odd, &NotAllowed, std::nullopt, 5},  // the file system would not tell
  };
  for (const Case& c : cases) {
    test::RecordingTrace trace;
    const Result<JvmPath> carried = JvmPathOf(c.path, c.shortPath, trace);
    ASSERT_EQ(carried.has_value(), c.carried.has_value()) << platform::ToUtf8(c.path);
    if (c.carried) {
      EXPECT_EQ(carried->path, c.carried->path);
      EXPECT_EQ(carried->form, c.carried->form);
      // Only a path not given as it is goes to the trace.
      EXPECT_EQ(trace.lines.size(), c.carried->form == JvmPathForm::AsWritten ? 0u : 1u);
      continue;
    }
    EXPECT_EQ(carried.error().systemError, c.systemError);
    const WideString message = MessageOf(carried.error());
    EXPECT_EQ(message.find(L"Java cannot be given the path of " + folder + L": "), 0u) << platform::ToUtf8(message);
    EXPECT_NE(message.find(L"short (8.3) names"), WideString::npos);
    ASSERT_EQ(trace.lines.size(), 1u);
    EXPECT_NE(trace.lines[0].find("form=none"), std::string::npos) << trace.lines[0];
  }
}

TEST(JvmPathTest, TheFirstUnwritablePartIsTheOneToRename) {
  EXPECT_EQ(FirstUnwritablePart(Join({L"C:", L"a", L"b" + kOdd, L"c" + kOdd, L"d.jar"})),
            Join({L"C:", L"a", L"b" + kOdd}));
  EXPECT_EQ(FirstUnwritablePart(Join({L"C:", L"lib", kOdd + L".jar"})), Join({L"C:", L"lib", kOdd + L".jar"}));
  EXPECT_EQ(FirstUnwritablePart(Join({L"C:", L"a", L"b.jar"})), Join({L"C:", L"a", L"b.jar"}));
}

}  // namespace

}  // namespace launcher
