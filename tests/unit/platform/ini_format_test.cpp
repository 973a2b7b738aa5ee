#include "platform/ini_format.h"

#include <gtest/gtest.h>

#include <random>
#include <string_view>

#include "platform/text.h"

namespace launcher::platform {

// The INI format on bytes in memory: how lines are cut, and the writer (bytes
// in, bytes out, the code page given). The file-level suite (ini_test.cpp)
// proves the system's reader agrees; this one covers what needs a code page of
// our choosing, what is refused, and the promise that every other line stays as
// it was.

namespace {

using namespace std::literals;
using platform::AnsiCodec;
using platform::IniEncoding;
using platform::IniFileFormat;
using platform::SetIniValue;

const IniFileFormat kUtf16File{IniEncoding::Utf16Le, L"\r\n"};
const IniFileFormat kUtf8File{IniEncoding::Utf8Bom, L"\n"};

// Latin-1: one byte a character, nothing beyond U+00FF.
AnsiCodec Latin1() {
  return {[](std::string_view bytes) {
            WideString text;
            for (char c : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
            return text;
          },
          [](const WideString& text) {
            std::string bytes;
            for (wchar_t c : text) bytes += static_cast<char>(c <= 0xFF ? c : '?');
            return bytes;
          }};
}

// A double-byte code page in the manner of Shift-JIS, whose second bytes may be
// "\" (0x5C) or "]" (0x5D): ソ is 83 5C, ‐ is 81 5D.
AnsiCodec DoubleByte() {
  return {[](std::string_view bytes) {
            WideString text;
            for (size_t i = 0; i < bytes.size(); ++i) {
              const auto byte = static_cast<unsigned char>(bytes[i]);
              if (byte < 0x80 || i + 1 == bytes.size()) {
                text += byte < 0x80 ? static_cast<wchar_t>(byte) : L'\xFFFD';
                continue;
              }
              const auto trail = static_cast<unsigned char>(bytes[++i]);
              text += byte == 0x83 && trail == 0x5C ? L'ソ' : byte == 0x81 && trail == 0x5D ? L'‐' : L'\xFFFD';
            }
            return text;
          },
          [](const WideString& text) {
            std::string bytes;
            for (wchar_t c : text)
              bytes += c == L'ソ'  ? "\x83\x5C"
                       : c == L'‐' ? "\x81\x5D"
                       : c < 0x80  ? std::string(1, static_cast<char>(c))
                                   : "?";
            return bytes;
          }};
}

std::optional<std::string> Set(std::string_view file, const WideString& section, const WideString& key,
                               const WideString& value, const AnsiCodec& ansi = Latin1()) {
  return SetIniValue(file, section, key, value, ansi, kUtf16File);
}

// Files mix line ends when they were edited on several systems; each CR, LF
// and CR LF ends one line wherever it stands.
TEST(IniFormatTest, EveryLineEndEndsOneLine) {
  struct Case {
    const wchar_t* text;
    platform::ini::LineViews lines;
  } cases[] = {
      {L"", {}},
      {L"a", {L"a"}},
      {L"\n", {L""}},
      {L"a\r\n", {L"a"}},
      {L"a\n\n", {L"a", L""}},
      {L"a\n\rb", {L"a", L"", L"b"}},
      {L"a\r\r\nb", {L"a", L"", L"b"}},
      {L"a\rb\nc\r\nd\re", {L"a", L"b", L"c", L"d", L"e"}},
      {L"\r\r\r\n\n", {L"", L"", L"", L""}},
      {L"a\rb\rc\r\nd\ne\nf\r", {L"a", L"b", L"c", L"d", L"e", L"f"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::ini::SplitIniLines(c.text), c.lines) << testing::PrintToString(WideString(c.text));
  }
}

TEST(IniValueEditTest, DoubleByteCharactersAreNeverTakenForBracketsOrEquals) {
  const AnsiCodec ansi = DoubleByte();
  // A section whose name ends in a character with "]" as its second byte, and a
  // key line holding one with "\" as its second byte before the "=".
  const std::string file = "[A\x81\x5D]\r\nk\x83\x5C=old\r\n[\x81\x5D\r\nj=1\r\n";
  EXPECT_EQ(Set(file, L"A‐", L"kソ", L"new", ansi), "[A\x81\x5D]\r\nk\x83\x5C=new\r\n[\x81\x5D\r\nj=1\r\n");
  // "[‐" has no closing bracket of its own: j belongs to [A‐].
  EXPECT_EQ(Set(file, L"A‐", L"j", L"2", ansi), "[A\x81\x5D]\r\nk\x83\x5C=old\r\n[\x81\x5D\r\nj=2\r\n");
  EXPECT_EQ(Set(file, L"A‐", L"n", L"Cソ", ansi),
            "[A\x81\x5D]\r\nk\x83\x5C=old\r\n[\x81\x5D\r\nj=1\r\nn=C\x83\x5C\r\n");
}

struct Refusal {
  const char* name;
  std::string_view file;
  std::wstring_view section;
  std::wstring_view key;
  std::wstring_view value;
};

class IniValueRefusalTest : public testing::TestWithParam<Refusal> {};

TEST_P(IniValueRefusalTest, WhatTheFileCannotHoldIsRefused) {
  const Refusal& c = GetParam();
  EXPECT_EQ(Set(c.file, WideString(c.section), WideString(c.key), WideString(c.value)), std::nullopt);
}

const Refusal kRefusals[] = {
    {"LineFeedInValue", "[A]\n"sv, L"A"sv, L"k"sv, L"a\nb"sv},
    {"CarriageReturnInValue", "[A]\n"sv, L"A"sv, L"k"sv, L"a\rb"sv},
    {"NulInValue", "[A]\n"sv, L"A"sv, L"k"sv, L"a\0b"sv},
    {"LineBreakInKey", "[A]\n"sv, L"A"sv, L"k\nj"sv, L"v"sv},
    {"LineBreakInSection", "[A]\n"sv, L"A\nB"sv, L"k"sv, L"v"sv},
    {"EmptyKey", "[A]\n"sv, L"A"sv, L" \t"sv, L"v"sv},
    {"EqualsInKey", "[A]\n"sv, L"A"sv, L"k=j"sv, L"v"sv},
    {"KeyThatOpensASection", "[A]\n"sv, L"A"sv, L"[B]"sv, L"v"sv},
    {"CharacterOutsideTheCodePage", "[A]\nk=old\n"sv, L"A"sv, L"k"sv, L"C:\\日本"sv},
    {"SectionOutsideTheCodePage", "[A]\n"sv, L"日本"sv, L"k"sv, L"v"sv},
    {"OddUtf16File", "\xFF\xFE[\0A\0]\0\n"sv, L"A"sv, L"k"sv, L"v"sv},
    {"UnpairedSurrogateInUtf8File", "\xEF\xBB\xBF[A]\n"sv, L"A"sv, L"k"sv, L"\xD800"sv},
};

INSTANTIATE_TEST_SUITE_P(Ini, IniValueRefusalTest, testing::ValuesIn(kRefusals),
                         [](const testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST(IniValueEditTest, EmptyFileIsWrittenInTheNewFileFormat) {
  EXPECT_EQ(SetIniValue("", L"S", L"k", L"ü", Latin1(), kUtf8File), "\xEF\xBB\xBF[S]\nk=\xC3\xBC\n");
  EXPECT_EQ(SetIniValue("", L"S", L"k", L"v", Latin1(), kUtf16File),
            std::string("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0", 22));
  // A file of nothing but a byte-order mark keeps its encoding.
  EXPECT_EQ(SetIniValue("\xEF\xBB\xBF", L"S", L"k", L"v", Latin1(), kUtf16File), "\xEF\xBB\xBF[S]\r\nk=v\r\n");
}

TEST(IniValueEditTest, AddedLinesTakeTheFilesFirstLineEnd) {
  EXPECT_EQ(Set("[A]\nk=1\r\n", L"B", L"j", L"2"), "[A]\nk=1\r\n[B]\nj=2\n");
  EXPECT_EQ(Set("[A]", L"A", L"j", L"2"), "[A]\r\nj=2");  // none in the file: the new file's
}

// The promise a fuzzer can hold the writer to, tried here on generated files:
// reading gives back the value written, and every other line is what it was.
std::string RandomFile(std::mt19937& random) {
  static const char* const kPieces[] = {"[A]",     "[ b ]", "[A", "k=1",  " K = 2 ",   "j",   ";k=c",   "=x",
                                        "k=\"q\"", "",      " ",  "[c]]", "\xE9=\xE8", "k==", "\t[A]\t"};
  static const char* const kEnds[] = {"\n", "\r\n", "\r"};
  std::string file;
  const int lines = static_cast<int>(random() % 8);
  for (int i = 0; i < lines; ++i) file += std::string(kPieces[random() % std::size(kPieces)]) + kEnds[random() % 3];
  if (random() % 3 == 0 && !file.empty()) file.pop_back();
  return file;
}

TEST(IniValueEditTest, ReadingGivesTheValueBackAndKeepsEveryOtherLine) {
  static const wchar_t* const kSections[] = {L"A", L"b", L" a ", L"c]", L"New"};
  static const wchar_t* const kKeys[] = {L"k", L"K", L"j", L"new", L";k"};
  static const wchar_t* const kValues[] = {L"v", L"", L" x ", L"\"q\"", L"'", L"a=b", L"é"};
  std::mt19937 random(20240601);
  const AnsiCodec ansi = Latin1();
  for (int round = 0; round < 3000; ++round) {
    const std::string file = RandomFile(random);
    const WideString section = kSections[random() % std::size(kSections)];
    const WideString key = kKeys[random() % std::size(kKeys)];
    const WideString value = kValues[random() % std::size(kValues)];
    SCOPED_TRACE(testing::Message() << "file [" << file << "] [" << platform::ToUtf8(section) << "] "
                                    << platform::ToUtf8(key) << "=" << platform::ToUtf8(value));
    const std::optional<std::string> written = Set(file, section, key, value);
    ASSERT_TRUE(written);
    const WideString beforeText = platform::DecodeIniFile(file, ansi);
    const WideString afterText = platform::DecodeIniFile(*written, ansi);
    const platform::ini::LineViews before = platform::ini::SplitIniLines(beforeText);
    const platform::ini::LineViews after = platform::ini::SplitIniLines(afterText);
    EXPECT_EQ(platform::ini::LookUpIniValue(after, section, key), value);
    // Around the one line that changed (or the two that are new) all is as it was.
    size_t same = 0;
    while (same < before.size() && same < after.size() && before[same] == after[same]) ++same;
    size_t sameAtEnd = 0;
    while (sameAtEnd < before.size() - same && sameAtEnd < after.size() - same &&
           before[before.size() - 1 - sameAtEnd] == after[after.size() - 1 - sameAtEnd]) {
      ++sameAtEnd;
    }
    EXPECT_LE(before.size() - same - sameAtEnd, 1u);
    EXPECT_LE(after.size() - same - sameAtEnd, 2u);
  }
}

}  // namespace

}  // namespace launcher::platform
