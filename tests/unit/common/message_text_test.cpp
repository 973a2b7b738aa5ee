#include "common/message_text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

namespace launcher {

namespace {

// Each file is one list that the Windows resources and the POSIX table are
// made from; an id written twice would silently show the other text.
TEST(MessagesTest, EveryStringIdIsUsedOnce) {
  const struct {
    const char* file;
    const char* entry;
  } lists[] = {{"/resources/string_table.inc", R"(STRING_ENTRY\((\d+),)"},
               {"/resources/string_ids.h", R"(\bk\w+ = (\d+),)"}};
  for (const auto& [file, entry] : lists) {
    std::ifstream in(std::string(TEST_SOURCE_FOLDER) + file);
    ASSERT_TRUE(in) << file;
    std::stringstream text;
    text << in.rdbuf();
    const std::string all = text.str();
    const std::regex pattern(entry);
    std::map<std::string, int> uses;
    for (std::sregex_iterator it(all.begin(), all.end(), pattern), end; it != end; ++it) ++uses[(*it)[1]];
    EXPECT_GT(uses.size(), 50u) << file;
    for (const auto& [id, count] : uses) EXPECT_EQ(count, 1) << file << ": id " << id;
  }
}

TEST(MessagesTest, StringTableHoldsTheExactTexts) {
  EXPECT_EQ(LoadStringText(StringId::kMainClassMissing), L"Main class was not specified in INI file.");
  EXPECT_EQ(LoadStringText(StringId::kJreNotFound),
            L"The Java Runtime Environment (JRE) was not found. Please  download and install a JRE (%s) from:");
  EXPECT_EQ(LoadStringText(StringId::kJniException), L"JNI exception: %s\nReason: %s.\n");
  EXPECT_EQ(LoadStringText(StringId::kReasonInvalid), L"invalid arguments");
  EXPECT_EQ(LoadStringText(static_cast<StringId>(9999)), L"");
}

TEST(MessagesTest, FormatsTextsAndDecimalNumbers) {
  EXPECT_EQ(FormatText(L"%s (errno = %d).", {L"x", 2}), L"x (errno = 2).");
  EXPECT_EQ(FormatText(L"%d", {-1}), L"-1");
  EXPECT_EQ(FormatText(L"%d", {1234567}), L"1234567");  // decimal, not hexadecimal
  EXPECT_EQ(FormatText(L"between %s and %s", {L"1.6", L"1.7"}), L"between 1.6 and 1.7");
  EXPECT_EQ(FormatText(L"100%% %s", {L"done"}), L"100% done");
  EXPECT_EQ(FormatText(L"%s", {L"%d stays"}), L"%d stays");  // arguments are not formatted again
}

TEST(MessagesTest, AnErrorReadsAsItsFormattedString) {
  EXPECT_EQ(MessageOf({StringId::kJvmLibraryLoadFailed, {L"C:\\rt\\bin\\server\\jvm.dll", 193}}),
            L"Failed to load Java VM library: C:\\rt\\bin\\server\\jvm.dll (errno = 193).\n");
  // Another string of the table as an argument is loaded in its place.
  EXPECT_EQ(MessageOf({StringId::kJniException, {StringId::kJvmCreationFailed, StringId::kNone}}),
            L"JNI exception: failed to create the Java VM\nReason: .\n");
  EXPECT_EQ(MessageOf({StringId::kMainClassNotFound, {L"com/x/Main"}}), L"Could not find the main class com/x/Main.\n");
  EXPECT_EQ(MessageOf({static_cast<StringId>(9999), {}}), L"");  // a missing id gives an empty text
}

}  // namespace

}  // namespace launcher
