#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/unicode.h"
#include "test_support.h"

// One suite for both systems: natively it runs against our own reader and writer,
// under Wine against GetPrivateProfileStringW and WritePrivateProfileStringW, so a
// settings file is proven to mean the same on both.

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

Encoding StoredEncoding(const std::string& bytes) {
  if (bytes.starts_with(kUtf8Bom)) return Encoding::Utf8Bom;
  if (bytes.starts_with(kUtf16LeBom)) return Encoding::Utf16Le;
  if (bytes.starts_with(kUtf16BeBom)) return Encoding::Utf16Be;
  return Encoding::Ansi;
}

WideString Decoded(const std::string& bytes) {
  switch (StoredEncoding(bytes)) {
    case Encoding::Ansi:
      return platform::FromAnsi(bytes);
    case Encoding::Utf16Be: {
      std::string littleEndian = kUtf16LeBom;
      for (size_t i = 2; i + 1 < bytes.size(); i += 2) littleEndian += std::string{bytes[i + 1], bytes[i]};
      return platform::DecodeText(littleEndian);
    }
    case Encoding::Utf8Bom:
    case Encoding::Utf16Le:
      break;
  }
  return platform::DecodeText(bytes);
}

// The file's lines that hold anything, in order. The Win32 writer drops blank lines
// and always ends lines with CR LF, so this is what both systems agree on.
WideStringList TextLines(const WideString& path) {
  WideStringList lines;
  WideString line;
  for (wchar_t c : Decoded(test::ReadBytes(path)) + L"\n") {
    if (c != L'\r' && c != L'\n') {
      line += c;
    } else if (!line.empty()) {
      lines.push_back(line);
      line.clear();
    }
  }
  return lines;
}

WideString WithLineEnds(const WideString& text, const WideString& lineEnd) {
  WideString out;
  for (wchar_t c : text) out += c == L'\n' ? lineEnd : WideString(1, c);
  return out;
}

// Reads a value through a buffer far larger than it, checking that the count
// returned is the length of the text copied up to its terminator.
WideString Read(const WideString& path, const WideString& section, const WideString& key) {
  std::vector<wchar_t> buffer(1025, L'#');
  buffer.back() = L'\0';
  const uint32_t length = platform::ReadIniString(section, key, buffer.data(), 1024, path);
  WideString value(buffer.data());
  EXPECT_EQ(length, value.size()) << "[" << platform::ToUtf8(section) << "] " << platform::ToUtf8(key);
  return value;
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

// ---- The buffer: a value that does not fit is cut to size - 1 characters.

struct BufferCase {
  const wchar_t* key;
  uint32_t size;
  const wchar_t* expected;
};

void PrintTo(const BufferCase& c, std::ostream* out) { *out << platform::ToUtf8(c.key) << " in " << c.size; }

class IniBufferTest : public testing::TestWithParam<BufferCase> {};

TEST_P(IniBufferTest, CutsToSizeAndTerminates) {
  const BufferCase& c = GetParam();
  test::TempDir dir;
  const WideString path = dir.Path(L"settings.ini");
  test::WriteBytes(path, "[s]\r\nplain=abcdef\r\nquoted=\"abcdef\"\r\n");
  std::vector<wchar_t> buffer(c.size + 4, L'#');
  const uint32_t length = platform::ReadIniString(L"s", c.key, buffer.data(), c.size, path);
  EXPECT_EQ(WideString(buffer.data()), c.expected);
  EXPECT_EQ(length, WideString(c.expected).size());
  EXPECT_EQ(WideString(buffer.data() + c.size, 4), L"####") << "written beyond the buffer";
}

// A quoted value in a buffer of exactly its length + 1 is left out: Wine drops its
// last character there (see the POSIX-only suite).
INSTANTIATE_TEST_SUITE_P(Ini, IniBufferTest,
                         testing::Values(BufferCase{L"plain", 1, L""}, BufferCase{L"plain", 2, L"a"},
                                         BufferCase{L"plain", 6, L"abcde"}, BufferCase{L"plain", 7, L"abcdef"},
                                         BufferCase{L"plain", 8, L"abcdef"}, BufferCase{L"quoted", 1, L""},
                                         BufferCase{L"quoted", 2, L"a"}, BufferCase{L"quoted", 6, L"abcde"},
                                         BufferCase{L"quoted", 8, L"abcdef"}, BufferCase{L"quoted", 100, L"abcdef"}));

// ---- Writing.

const char kSample[] =
    "; Settings of the sample application\n"
    "\n"
    "[Java Runtime Environment]\n"
    "JRE Path=C:\\old\n"
    "; comment=inside\n"
    "\n"
    "[JVM Options]\n"
    "-Xmx256m\n"
    "\n"
    "[Splash]\n"
    "; note=kept\n"
    "Image=splash.bmp\n";

const WideStringList kSampleLines = {
    L"; Settings of the sample application",
    L"[Java Runtime Environment]",
    L"JRE Path=C:\\old",
    L"; comment=inside",
    L"[JVM Options]",
    L"-Xmx256m",
    L"[Splash]",
    L"; note=kept",
    L"Image=splash.bmp",
};

class IniWriteTest : public testing::Test {
 protected:
  // The sample's values that a write of one key must leave alone. Comment lines are
  // keys that only their own text matches, so reading them proves them kept.
  void ExpectOtherValuesKept() {
    EXPECT_EQ(Read(path_, L"Splash", L"; note"), L"kept");
    EXPECT_EQ(Read(path_, L"Java Runtime Environment", L"; comment"), L"inside");
    EXPECT_EQ(Read(path_, L"Splash", L"Image"), L"splash.bmp");
  }

  test::TempDir dir_;
  WideString path_ = dir_.Path(L"settings.ini");
};

TEST_F(IniWriteTest, ReplacesValueAndKeepsEveryOtherLine) {
  test::WriteBytes(path_, kSample);
  ASSERT_TRUE(platform::WriteIniString(L"Java Runtime Environment", L"JRE Path", L"C:\\new", path_));
  EXPECT_EQ(Read(path_, L"Java Runtime Environment", L"JRE Path"), L"C:\\new");
  ExpectOtherValuesKept();
  WideStringList expected = kSampleLines;
  expected[2] = L"JRE Path=C:\\new";
  EXPECT_EQ(TextLines(path_), expected);
}

TEST_F(IniWriteTest, MatchesNamesAsReadingDoesAndKeepsTheFilesSpelling) {
  test::WriteBytes(path_, kSample);
  ASSERT_TRUE(platform::WriteIniString(L" java runtime ENVIRONMENT\t", L"\tjre path ", L"C:\\new", path_));
  WideStringList expected = kSampleLines;
  expected[2] = L"JRE Path=C:\\new";
  EXPECT_EQ(TextLines(path_), expected);
}

TEST_F(IniWriteTest, AddsKeyAtEndOfItsSection) {
  test::WriteBytes(path_, kSample);
  ASSERT_TRUE(platform::WriteIniString(L"Java Runtime Environment", L"Java Version", L"1.8", path_));
  EXPECT_EQ(Read(path_, L"Java Runtime Environment", L"Java Version"), L"1.8");
  EXPECT_EQ(Read(path_, L"Java Runtime Environment", L"JRE Path"), L"C:\\old");
  ExpectOtherValuesKept();
  WideStringList expected = kSampleLines;
  expected.insert(expected.begin() + 4, L"Java Version=1.8");
  EXPECT_EQ(TextLines(path_), expected);
}

TEST_F(IniWriteTest, AddsMissingSectionAtEnd) {
  test::WriteBytes(path_, kSample);
  ASSERT_TRUE(platform::WriteIniString(L"Error Messages", L"Title", L"Sample", path_));
  EXPECT_EQ(Read(path_, L"Error Messages", L"Title"), L"Sample");
  EXPECT_EQ(Read(path_, L"Java Runtime Environment", L"JRE Path"), L"C:\\old");
  ExpectOtherValuesKept();
  WideStringList expected = kSampleLines;
  expected.insert(expected.end(), {L"[Error Messages]", L"Title=Sample"});
  EXPECT_EQ(TextLines(path_), expected);
}

TEST_F(IniWriteTest, CreatesMissingFile) {
  ASSERT_TRUE(platform::WriteIniString(L"Java Runtime Environment", L"JRE Path", L"C:\\jre", path_));
  ASSERT_TRUE(platform::WriteIniString(L"Java Runtime Environment", L"Empty", L"", path_));
  EXPECT_EQ(Read(path_, L"Java Runtime Environment", L"JRE Path"), L"C:\\jre");
  EXPECT_EQ(TextLines(path_), (WideStringList{L"[Java Runtime Environment]", L"JRE Path=C:\\jre", L"Empty="}));
}

// A new file must hold a runtime path in any script, not only in the ANSI code page.
// The launcher reads its settings before it writes the path, so the missing file has
// been looked at (and under Win32 remembered) first.
TEST_F(IniWriteTest, NewFileHoldsAnyCharacter) {
  const WideString folder = L"C:\\Programme\\Jürgen Łukasz\\Ωμέγα\\日本語\\😀\\jre";
  EXPECT_EQ(Read(path_, L"Java Runtime Environment", L"JRE Path"), L"");
  ASSERT_TRUE(platform::WriteIniString(L"Java Runtime Environment", L"JRE Path", folder, path_));
  EXPECT_EQ(Read(path_, L"Java Runtime Environment", L"JRE Path"), folder);
  ASSERT_TRUE(platform::WriteIniString(L"Java Runtime Environment", L"Owner", L"Łukasz", path_));
  EXPECT_EQ(Read(path_, L"Java Runtime Environment", L"JRE Path"), folder);
  EXPECT_EQ(Read(path_, L"Java Runtime Environment", L"Owner"), L"Łukasz");
}

TEST_F(IniWriteTest, DuplicatesChangeOnlyTheFirst) {
  test::WriteBytes(path_, "[s]\nk=1\nk=2\n[t]\n[s]\nj=1\n");
  ASSERT_TRUE(platform::WriteIniString(L"s", L"k", L"3", path_));
  ASSERT_TRUE(platform::WriteIniString(L"s", L"j", L"4", path_));
  EXPECT_EQ(Read(path_, L"s", L"k"), L"3");
  EXPECT_EQ(Read(path_, L"s", L"j"), L"4");
  EXPECT_EQ(TextLines(path_), (WideStringList{L"[s]", L"k=3", L"k=2", L"j=4", L"[t]", L"[s]", L"j=1"}));
}

TEST_F(IniWriteTest, GivesLineWithoutEqualsItsValue) {
  test::WriteBytes(path_, "[s]\nflag\n");
  ASSERT_TRUE(platform::WriteIniString(L"s", L"FLAG", L"on", path_));
  EXPECT_EQ(Read(path_, L"s", L"flag"), L"on");
  EXPECT_EQ(TextLines(path_), (WideStringList{L"[s]", L"flag=on"}));
}

TEST_F(IniWriteTest, FailsInMissingFolderAndCreatesNothing) {
  const WideString folder = dir_.Path(L"no folder");
  const WideString path = test::Join({folder, L"settings.ini"});
  EXPECT_FALSE(platform::WriteIniString(L"s", L"k", L"v", path));
  EXPECT_FALSE(Exists(folder));
}

// Settings files deeper than MAX_PATH characters are read and written like any other.
TEST_F(IniWriteTest, PathsLongerThanMaxPath) {
  WideString folder = dir_.Path();
  while (folder.size() < 300) folder = test::Join({folder, L"a-folder-name-of-forty-characters-long--"});
  const WideString path = test::Join({folder, L"settings.ini"});
  test::WriteBytes(path, "[Application]\r\nMain Class=Deep\r\n");
  EXPECT_EQ(Read(path, L"Application", L"Main Class"), L"Deep");
  ASSERT_TRUE(platform::WriteIniString(L"Java Runtime Environment", L"JRE Path", L"C:\\rt\\", path));
  EXPECT_EQ(Read(path, L"Java Runtime Environment", L"JRE Path"), L"C:\\rt\\");
  EXPECT_EQ(Read(path, L"Application", L"Main Class"), L"Deep");
  const WideString created = test::Join({folder, L"new.ini"});
  ASSERT_TRUE(platform::WriteIniString(L"s", L"k", L"v", created));
  EXPECT_EQ(Read(created, L"s", L"k"), L"v");
}

// ---- Writing keeps the file's encoding.

class IniEncodingKeptTest : public testing::TestWithParam<Encoding> {
 protected:
  test::TempDir dir_;
};

TEST_P(IniEncodingKeptTest, WriteKeepsEncoding) {
  const WideString path = dir_.Path(L"settings.ini");
  test::WriteBytes(path, Encoded(L"[Größe]\r\nWert=alt\r\n", GetParam()));
  ASSERT_TRUE(platform::WriteIniString(L"Größe", L"Wert", L"Grüße", path));
  ASSERT_TRUE(platform::WriteIniString(L"Größe", L"Neu", L"Straße", path));
  EXPECT_EQ(StoredEncoding(test::ReadBytes(path)), GetParam());
  EXPECT_EQ(TextLines(path), (WideStringList{L"[Größe]", L"Wert=Grüße", L"Neu=Straße"}));
  EXPECT_EQ(Read(path, L"Größe", L"Wert"), L"Grüße");
}

INSTANTIATE_TEST_SUITE_P(Ini, IniEncodingKeptTest,
                         testing::Values(Encoding::Ansi, Encoding::Utf8Bom, Encoding::Utf16Le, Encoding::Utf16Be),
                         [](const testing::TestParamInfo<Encoding>& info) { return NameOf(info.param); });

}  // namespace
