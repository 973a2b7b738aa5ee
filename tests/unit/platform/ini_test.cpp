#include "platform/ini.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "platform/text.h"
#include "test_support.h"

namespace launcher::platform {

// One suite for both systems: natively it runs against our own reader, under Wine
// against GetPrivateProfileStringW, so a settings file is proven to mean the same
// on both; and our writer, the same on both, is proven to set exactly the value
// that the system's reader then finds.

namespace {

// The ways a settings file can be stored: without a byte-order mark it is read in
// the system's 8-bit code page (ANSI on Windows, UTF-8 here).
enum class Encoding { Ansi, Utf8Bom, Utf16Le, Utf16Be };

const char* NameOf(Encoding encoding) {
  switch (encoding) {
    case Encoding::Ansi:
      return "Ansi";
    case Encoding::Utf8Bom:
      return "Utf8Bom";
    case Encoding::Utf16Le:
      return "Utf16Le";
    case Encoding::Utf16Be:
      return "Utf16Be";
  }
  return "";
}

void PrintTo(Encoding encoding, std::ostream* out) { *out << NameOf(encoding); }

const std::string kUtf8Bom = "\xEF\xBB\xBF";
const std::string kUtf16LeBom = "\xFF\xFE";
const std::string kUtf16BeBom = "\xFE\xFF";

std::string Utf16Bytes(const WideString& text, bool bigEndian) {
  std::string bytes;
  for (char16_t unit : platform::ToUtf16(text)) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

std::string Encoded(const WideString& text, Encoding encoding) {
  switch (encoding) {
    case Encoding::Ansi:
      return platform::ToAnsi(text);
    case Encoding::Utf8Bom:
      return kUtf8Bom + platform::ToUtf8(text);
    case Encoding::Utf16Le:
      return kUtf16LeBom + Utf16Bytes(text, false);
    case Encoding::Utf16Be:
      return kUtf16BeBom + Utf16Bytes(text, true);
  }
  return {};
}

WideString WithLineEnds(const WideString& text, const WideString& lineEnd) {
  WideString out;
  for (wchar_t c : text) out += c == L'\n' ? lineEnd : WideString(1, c);
  return out;
}

WideString Read(const WideString& path, const WideString& section, const WideString& key) {
  return platform::IniFile::Open(path).Value(section, key);
}

bool Exists(const WideString& path) { return std::filesystem::exists(test::NativePath(path)); }

// ---- Reading: one table, each case stored in every encoding with every line end.

struct ReadCase {
  const char* name;
  const wchar_t* text;  // "\n" stands for the line end under test
  const wchar_t* section;
  const wchar_t* key;
  const wchar_t* expected;
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }

const ReadCase kReadCases[] = {
    {"Plain", L"[Java Runtime Environment]\nJRE Path=C:\\jre\\bin\n", L"Java Runtime Environment", L"JRE Path",
     L"C:\\jre\\bin"},
    {"SectionNameIgnoresCase", L"[Settings]\nkey=v\n", L"sETTINGS", L"key", L"v"},
    {"KeyNameIgnoresCase", L"[s]\nMainClass=v\n", L"s", L"MAINclass", L"v"},
    {"BlanksAroundNamesAndValueTrimmed", L" \t[ \tMy Section\t ] \t\n \tMy Key \t= \tvalue  with  spaces\t \n",
     L"My Section", L"My Key", L"value  with  spaces"},
    {"BlanksAroundCallersNamesTrimmed", L"[s]\nk=v\n", L" \ts\t ", L"\t k ", L"v"},
    {"DosEndOfFileIsBlank", L"[s]\nk=v\x1a\n", L"s", L"k", L"v"},
    {"DoubleQuotesRemoved", L"[s]\nk=\"C:\\Program Files\\Java\"\n", L"s", L"k", L"C:\\Program Files\\Java"},
    {"SingleQuotesRemoved", L"[s]\nk='x y'\n", L"s", L"k", L"x y"},
    {"QuotesKeepTheBlanksInside", L"[s]\nk=  \"  padded  \"  \n", L"s", L"k", L"  padded  "},
    {"OnlyOnePairOfQuotesRemoved", L"[s]\nk=\"\"x\"\"\n", L"s", L"k", L"\"x\""},
    {"EmptyQuotesGiveEmpty", L"[s]\nk=\"\"\n", L"s", L"k", L""},
    {"QuotesAtBothEndsRemovedWhateverIsBetween", L"[s]\nk=\"a\" \"b\"\n", L"s", L"k", L"a\" \"b"},
    {"QuotesInsideKept", L"[s]\nk=-Dx=\"y\"z\n", L"s", L"k", L"-Dx=\"y\"z"},
    {"MixedQuotesKept", L"[s]\nk=\"x'\n", L"s", L"k", L"\"x'"},
    {"UnmatchedOpeningQuoteKept", L"[s]\nk=\"x\n", L"s", L"k", L"\"x"},
    {"UnmatchedClosingQuoteKept", L"[s]\nk=x'\n", L"s", L"k", L"x'"},
    {"LoneQuoteKept", L"[s]\nk=\"\n", L"s", L"k", L"\""},
    {"CommentedKeyIgnored", L"[s]\n;k=old\nk=new\n", L"s", L"k", L"new"},
    {"CommentedKeyAloneGivesEmpty", L"[s]\n ; k=old\n", L"s", L"k", L""},
    {"CommentedSectionOpensNone", L"[s]\nk=1\n;[t]\nj=2\n", L"s", L"j", L"2"},
    {"FirstOfDuplicateKeys", L"[s]\nk=first\nK=second\n", L"s", L"k", L"first"},
    {"FirstOfRepeatedSections", L"[s]\nk=first\n[t]\nk=t\n[s]\nk=second\n", L"s", L"k", L"first"},
    {"RepeatedSectionNotSearched", L"[s]\nk=1\n[s]\nj=2\n", L"s", L"j", L""},
    {"LineWithoutEqualsIsKeyWithoutValue", L"[s]\nflag\nk=v\n", L"s", L"flag", L""},
    {"LineWithoutEqualsSkipped", L"[s]\nflag\nk=v\n", L"s", L"k", L"v"},
    {"ValueHoldsEquals", L"[s]\nk=-Da=b=c\n", L"s", L"k", L"-Da=b=c"},
    {"EmptyValue", L"[s]\nk=\nj=x\n", L"s", L"k", L""},
    {"BlankValue", L"[s]\nk= \t \nj=x\n", L"s", L"k", L""},
    {"BlankLinesAnywhere", L"\n\n[s]\n\n \nk=v\n\n", L"s", L"k", L"v"},
    {"BracketWithoutCloseIsKeyOfSectionAbove", L"[s]\n[t\nk=v\n", L"s", L"k", L"v"},
    {"BracketWithoutCloseOpensNoSection", L"[s]\n[t\nk=v\n", L"t", L"k", L""},
    {"TextAfterClosingBracketIgnored", L"[s] ; note\nk=v\n", L"s", L"k", L"v"},
    {"LastClosingBracketEndsName", L"[s]]\nk=v\n", L"s]", L"k", L"v"},
    {"LastLineWithoutLineEnd", L"[s]\nk=end", L"s", L"k", L"end"},
    {"MissingSection", L"[s]\nk=v\n", L"t", L"k", L""},
    {"MissingKey", L"[s]\nk=v\n", L"s", L"j", L""},
    {"KeyOfNextSectionNotFound", L"[a]\nk=1\n[b]\nj=2\n", L"a", L"j", L""},
    {"KeysBeforeFirstSectionBelongToNone", L"k=top\n[s]\nj=1\n", L"s", L"k", L""},
};

struct LineEnd {
  const char* name;
  const wchar_t* text;
};

const LineEnd kLineEnds[] = {{"CRLF", L"\r\n"}, {"LF", L"\n"}, {"CR", L"\r"}};
const Encoding kEncodings[] = {Encoding::Ansi, Encoding::Utf8Bom, Encoding::Utf16Le, Encoding::Utf16Be};

class IniReadTest : public testing::TestWithParam<ReadCase> {
 protected:
  test::TempDir dir_;
};

TEST_P(IniReadTest, FindsValueInEveryEncodingAndLineEnd) {
  const ReadCase& c = GetParam();
  for (Encoding encoding : kEncodings) {
    for (const LineEnd& lineEnd : kLineEnds) {
      const std::string variant = std::string(NameOf(encoding)) + " " + lineEnd.name;
      SCOPED_TRACE(variant);
      // A file of its own for each, so no cached copy of another can answer.
      const WideString path = dir_.Path(platform::FromUtf8(variant) + L".ini");
      test::WriteBytes(path, Encoded(WithLineEnds(c.text, lineEnd.text), encoding));
      EXPECT_EQ(Read(path, c.section, c.key), c.expected);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Ini, IniReadTest, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

// ---- Reading text beyond ASCII.

class IniUnicodeReadTest : public testing::TestWithParam<Encoding> {
 protected:
  test::TempDir dir_;
};

TEST_P(IniUnicodeReadTest, ReadsAnyCharacter) {
  const WideString path = dir_.Path(L"settings.ini");
  test::WriteBytes(path, Encoded(L"[Grüße]\r\nName=Grüße\r\n路径=日本語のフォルダ\r\n"
                                 L"Émoji=C:\\Users\\Łukasz\\😀\\jre\r\n",
                                 GetParam()));
  EXPECT_EQ(Read(path, L"Grüße", L"Name"), L"Grüße");
  EXPECT_EQ(Read(path, L"Grüße", L"路径"), L"日本語のフォルダ");
  EXPECT_EQ(Read(path, L"Grüße", L"Émoji"), L"C:\\Users\\Łukasz\\😀\\jre");
  // ASCII letters fold beside others that must match exactly.
  EXPECT_EQ(Read(path, L"GRüßE", L"NAME"), L"Grüße");
}

INSTANTIATE_TEST_SUITE_P(Ini, IniUnicodeReadTest,
                         testing::Values(Encoding::Utf8Bom, Encoding::Utf16Le, Encoding::Utf16Be),
                         [](const testing::TestParamInfo<Encoding>& info) { return NameOf(info.param); });

TEST(IniFileTest, FileWithoutByteOrderMarkIsReadInSystemCodePage) {
  test::TempDir dir;
  const WideString path = dir.Path(L"settings.ini");
  test::WriteBytes(path, platform::ToAnsi(L"[s]\r\nk=Grüße\r\n"));
  // What the code page can hold of the text: all of it in Western code pages and UTF-8.
  EXPECT_EQ(Read(path, L"s", L"k"), platform::FromAnsi(platform::ToAnsi(L"Grüße")));
}

TEST(IniFileTest, MissingFileGivesEmptyAndStaysMissing) {
  test::TempDir dir;
  for (const WideString& path : {dir.Path(L"none.ini"), test::Join({dir.Path(L"no folder"), L"none.ini"})}) {
    EXPECT_EQ(Read(path, L"s", L"k"), L"");
    EXPECT_FALSE(Exists(path));
  }
}

// Opening the file again after it was replaced, rewritten or another file read
// gives what the file holds now.
TEST(IniFileTest, EachOpeningSeesTheFileAsItIsThen) {
  test::TempDir dir;
  const WideString path = dir.Path(L"settings.ini");
  const WideString other = dir.Path(L"other.ini");
  test::WriteBytes(path, "[s]\nk=first\n");
  test::WriteBytes(other, "[s]\nk=other\n");
  EXPECT_EQ(Read(path, L"s", L"k"), L"first");
  ASSERT_TRUE(platform::WriteIniValue(path, L"s", L"k", L"second"));
  EXPECT_EQ(Read(path, L"s", L"k"), L"second");
  test::WriteBytes(path, "[s]\nk=the third\n");
  EXPECT_EQ(Read(path, L"s", L"k"), L"the third");
  EXPECT_EQ(Read(other, L"s", L"k"), L"other");
  EXPECT_EQ(Read(path, L"s", L"k"), L"the third");
}

// ---- Values of any length: the Windows reader asks the system with a buffer
// that grows, and Wine cuts a quoted value that just fits by its last character.

TEST(IniFileTest, ValuesOfAnyLengthComeWhole) {
  test::TempDir dir;
  const WideString path = dir.Path(L"settings.ini");
  const size_t kLengths[] = {252, 253, 254, 255, 256, 511, 5000};
  std::string file = "[s]\r\n";
  for (size_t length : kLengths) {
    const std::string value(length, 'v');
    file += "plain" + std::to_string(length) + "=" + value + "\r\n";
    file += "quoted" + std::to_string(length) + "=\"" + value + "\"\r\n";
  }
  test::WriteBytes(path, file);
  const platform::IniFile ini = platform::IniFile::Open(path);
  for (size_t length : kLengths) {
    EXPECT_EQ(ini.Value(L"s", L"plain" + std::to_wstring(length)), WideString(length, L'v')) << length;
    EXPECT_EQ(ini.Value(L"s", L"quoted" + std::to_wstring(length)), WideString(length, L'v')) << length;
  }
  EXPECT_EQ(platform::IniFile().Value(L"s", L"plain252"), L"");
}

// ---- Writing: one table, each case stored in every encoding with every line end.
// The writer changes the bytes of the one value (or adds its line) and no other.

struct WriteCase {
  const char* name;
  const wchar_t* before;  // "\n" stands for the line end under test
  const wchar_t* section;
  const wchar_t* key;
  const wchar_t* value;
  const wchar_t* after;
};

void PrintTo(const WriteCase& c, std::ostream* out) { *out << c.name; }

const WriteCase kWriteCases[] = {
    {"ReplacesOnlyTheValue", L"; head\n\n[A]\n  Key = old  \n\n[B]\nb=1\n", L"a", L"KEY", L"new",
     L"; head\n\n[A]\n  Key = new  \n\n[B]\nb=1\n"},
    {"NamesMatchAsReadingDoes", L"[Java Runtime Environment]\nJRE Path=C:\\old\n", L" java runtime ENVIRONMENT\t",
     L"\tjre path ", L"C:\\new\\", L"[Java Runtime Environment]\nJRE Path=C:\\new\\\n"},
    {"GivesBareKeyAValue", L"[A]\n  flag  \nk=1\n", L"A", L"flag", L"on", L"[A]\n  flag=on  \nk=1\n"},
    {"BlankValueIsReplaced", L"[A]\nk=   \n", L"A", L"k", L"v", L"[A]\nk=   v\n"},
    {"QuotedValueIsReplacedWhole", L"[A]\nk=\"C:\\Program Files\\old\"\n", L"A", L"k", L"C:\\new", L"[A]\nk=C:\\new\n"},
    {"TextAfterTheValueIsPartOfIt", L"[A]\nk=old ; note\n", L"A", L"k", L"new", L"[A]\nk=new\n"},
    {"EmptyValue", L"[A]\nk=old\n", L"A", L"k", L"", L"[A]\nk=\n"},
    {"BlanksAroundValueAreQuoted", L"[A]\nk=old\n", L"A", L"k", L" padded ", L"[A]\nk=\" padded \"\n"},
    {"QuotesAroundValueAreQuoted", L"[A]\nk=old\n", L"A", L"k", L"'x'", L"[A]\nk=\"'x'\"\n"},
    {"LoneQuoteStaysBare", L"[A]\nk=old\n", L"A", L"k", L"\"x", L"[A]\nk=\"x\n"},
    {"CommentsAndCommentedKeysKept", L"; k=top\n[A]\n;k=commented\nk=old\n; after\n", L"A", L"k", L"new",
     L"; k=top\n[A]\n;k=commented\nk=new\n; after\n"},
    {"FirstOfDuplicateKeys", L"[A]\nk=1\nK=2\n", L"A", L"k", L"3", L"[A]\nk=3\nK=2\n"},
    {"FirstOfRepeatedSections", L"[A]\nj=1\n[B]\n[A]\nk=2\n", L"A", L"k", L"3", L"[A]\nj=1\nk=3\n[B]\n[A]\nk=2\n"},
    {"KeyBeforeFirstSectionIsNoneOfIt", L"k=top\n[A]\n", L"A", L"k", L"v", L"k=top\n[A]\nk=v\n"},
    {"BracketWithoutCloseIsAKey", L"[A]\n[t\nk=1\n", L"A", L"k", L"2", L"[A]\n[t\nk=2\n"},
    {"AddsKeyAfterLastLineOfSection", L"[A]\nk=1\n; about B\n\n\n[B]\n", L"A", L"j", L"2",
     L"[A]\nk=1\n; about B\nj=2\n\n\n[B]\n"},
    {"AddsKeyToEmptySection", L"[A]\n[B]\n", L"A", L"k", L"1", L"[A]\nk=1\n[B]\n"},
    {"AddsSectionAtEnd", L"[A]\nk=1\n\n", L" C ", L" c ", L"3", L"[A]\nk=1\n\n[C]\nc=3\n"},
    {"KeepsMissingLastLineEndOnReplace", L"[A]\nk=1", L"A", L"k", L"9", L"[A]\nk=9"},
    {"KeepsMissingLastLineEndOnNewKey", L"[A]\nk=1", L"A", L"j", L"2", L"[A]\nk=1\nj=2"},
    {"KeepsMissingLastLineEndOnNewSection", L"[A]\nk=1", L"C", L"c", L"3", L"[A]\nk=1\n[C]\nc=3"},
    {"NonAsciiValue", L"[Größe]\nWert=alt\n", L"Größe", L"Wert", L"Grüße", L"[Größe]\nWert=Grüße\n"},
};

class IniWriteTest : public testing::TestWithParam<WriteCase> {
 protected:
  test::TempDir dir_;
};

TEST_P(IniWriteTest, ChangesOnlyTheValueInEveryEncodingAndLineEnd) {
  const WriteCase& c = GetParam();
  for (Encoding encoding : kEncodings) {
    for (const LineEnd& lineEnd : kLineEnds) {
      const std::string variant = std::string(NameOf(encoding)) + " " + lineEnd.name;
      SCOPED_TRACE(variant);
      const WideString path = dir_.Path(platform::FromUtf8(variant) + L".ini");
      test::WriteBytes(path, Encoded(WithLineEnds(c.before, lineEnd.text), encoding));
      ASSERT_TRUE(platform::WriteIniValue(path, c.section, c.key, c.value));
      EXPECT_EQ(test::ReadBytes(path), Encoded(WithLineEnds(c.after, lineEnd.text), encoding));
      EXPECT_EQ(Read(path, c.section, c.key), c.value);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Ini, IniWriteTest, testing::ValuesIn(kWriteCases),
                         [](const testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

class IniNewFileTest : public testing::Test {
 protected:
  test::TempDir dir_;
  WideString path_ = dir_.Path(L"settings.ini");
};

TEST_F(IniNewFileTest, CreatesMissingFileThatHoldsAnyCharacter) {
  const WideString folder = L"C:\\Programme\\Jürgen Łukasz\\Ωμέγα\\日本語\\😀\\jre\\";
  // The launcher reads its settings before it writes the path, so the missing
  // file has been looked at (and under Win32 remembered) first.
  EXPECT_EQ(Read(path_, L"Java Runtime Environment", L"JRE Path"), L"");
  ASSERT_TRUE(platform::WriteIniValue(path_, L"Java Runtime Environment", L"JRE Path", folder));
  ASSERT_TRUE(platform::WriteIniValue(path_, L"Java Runtime Environment", L"Owner", L"Łukasz"));
  EXPECT_EQ(Read(path_, L"Java Runtime Environment", L"JRE Path"), folder);
  EXPECT_EQ(Read(path_, L"Java Runtime Environment", L"Owner"), L"Łukasz");
}

TEST_F(IniNewFileTest, EmptyFileIsWrittenAsNew) {
  test::WriteBytes(path_, "");
  ASSERT_TRUE(platform::WriteIniValue(path_, L"s", L"k", L"Grüße"));
  EXPECT_EQ(Read(path_, L"s", L"k"), L"Grüße");
}

TEST_F(IniNewFileTest, FailsInMissingFolderAndCreatesNothing) {
  const WideString folder = dir_.Path(L"no folder");
  const WideString path = test::Join({folder, L"settings.ini"});
  EXPECT_FALSE(platform::WriteIniValue(path, L"s", L"k", L"v"));
  EXPECT_FALSE(Exists(folder));
}

// What stands at the path and cannot be read (here a folder) is not replaced
// by a file that holds nothing but the new key.
TEST_F(IniNewFileTest, WhatCannotBeReadIsLeftAlone) {
  std::filesystem::create_directory(test::NativePath(path_));
  EXPECT_FALSE(platform::WriteIniValue(path_, L"s", L"k", L"v"));
  EXPECT_TRUE(std::filesystem::is_directory(test::NativePath(path_)));
}

// A value that the file cannot hold leaves the file as it was: a line break, or
// (in a file without byte-order mark) a character outside the code page.
TEST_F(IniNewFileTest, ValueTheFileCannotHoldLeavesItUnchanged) {
  const std::string before = platform::ToAnsi(L"[A]\r\nk=old\r\n");
  test::WriteBytes(path_, before);
  EXPECT_FALSE(platform::WriteIniValue(path_, L"A", L"k", L"two\r\nlines"));
  EXPECT_EQ(test::ReadBytes(path_), before);
  const WideString foreign = L"C:\\日本語\\😀";
  const bool codePageHoldsIt = platform::FromAnsi(platform::ToAnsi(foreign)) == foreign;
  EXPECT_EQ(static_cast<bool>(platform::WriteIniValue(path_, L"A", L"k", foreign)), codePageHoldsIt);
  if (!codePageHoldsIt) {
    EXPECT_EQ(test::ReadBytes(path_), before);
  }
}

// Settings files deeper than MAX_PATH characters are read and written like any other.
TEST_F(IniNewFileTest, PathsLongerThanMaxPath) {
  WideString folder = dir_.Path();
  while (folder.size() < 300) folder = test::Join({folder, L"a-folder-name-of-forty-characters-long--"});
  const WideString path = test::Join({folder, L"settings.ini"});
  test::WriteBytes(path, "[Application]\r\nMain Class=Deep\r\n");
  EXPECT_EQ(Read(path, L"Application", L"Main Class"), L"Deep");
  ASSERT_TRUE(platform::WriteIniValue(path, L"Java Runtime Environment", L"JRE Path", L"C:\\rt\\"));
  EXPECT_EQ(test::ReadBytes(path),
            "[Application]\r\nMain Class=Deep\r\n[Java Runtime Environment]\r\nJRE Path=C:\\rt\\\r\n");
  EXPECT_EQ(Read(path, L"Java Runtime Environment", L"JRE Path"), L"C:\\rt\\");
  const WideString created = test::Join({folder, L"new.ini"});
  ASSERT_TRUE(platform::WriteIniValue(created, L"s", L"k", L"v"));
  EXPECT_EQ(Read(created, L"s", L"k"), L"v");
}

}  // namespace

}  // namespace launcher::platform
