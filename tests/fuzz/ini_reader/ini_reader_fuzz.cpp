// The settings reader on any file content, in memory (reading the file is a
// thin layer above it): raw bytes (a UTF-16 file cut in a character, binary
// garbage, stray BOMs), and the same text in every encoding the reader takes,
// which must all read alike.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform/ini_file_bytes.h"
#include "platform/unicode.h"

namespace {

constexpr uint32_t kBufferSize = 64;

const platform::AnsiCodec& Ansi() {
  static const platform::AnsiCodec codec = platform::SystemAnsiCodec();
  return codec;
}

struct Query {
  WideString section;
  WideString key;
};

// Fixed names, and the names of the text's own section and key lines.
std::vector<Query> QueriesOf(const WideString& text) {
  std::vector<Query> queries{{L"Application", L"Main Class"}, {L"A", L"k"}, {L"", L""}};
  WideString section;
  size_t start = 0;
  while (start <= text.size() && queries.size() < 8) {
    size_t end = text.find_first_of(L"\r\n", start);
    if (end == WideString::npos) end = text.size();
    const WideString line = text.substr(start, end - start);
    const size_t open = line.find(L'['), close = line.rfind(L']'), equals = line.find(L'=');
    if (open != WideString::npos && close != WideString::npos && close > open) {
      section = line.substr(open + 1, close - open - 1);
    } else if (equals != WideString::npos) {
      queries.push_back({section, line.substr(0, equals)});
      queries.push_back({section, line.substr(0, equals) + L"x"});
    }
    start = end + 1;
  }
  return queries;
}

// What the reader copies; the buffer's shape is checked on the way.
WideString Copied(const WideString& value, uint32_t size, const WideString& key) {
  wchar_t buffer[kBufferSize + 1];
  std::fill(buffer, buffer + size + 1, L'#');
  const uint32_t length = platform::CopyIniValue(value, buffer, size);
  fuzz::Check(length < size, "the length leaves room for the NUL", key);
  fuzz::Check(buffer[length] == L'\0', "the value ends with a NUL", key);
  fuzz::Check(buffer[size] == L'#', "nothing is written past the buffer", key);
  return WideString(buffer, length);
}

void CheckValue(const WideString& value) {
  fuzz::Check(value.find_first_of(L"\r\n") == WideString::npos, "a value holds no line end", value);
}

std::string Utf16Bytes(const WideString& text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : platform::ToUtf16(text)) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view raw = fuzz::Bytes(data, size);
  const WideString text = platform::FromUtf8(raw);
  const std::vector<Query> queries = QueriesOf(text);

  // The bytes as they are: only the shape of the answer can be checked.
  const WideStringList rawLines = platform::IniLinesOfBytes(raw, Ansi());
  for (const Query& query : queries) {
    const WideString value = platform::IniValueInLines(rawLines, query.section, query.key);
    const WideString whole = Copied(value, kBufferSize, query.key);
    CheckValue(whole);
    const WideString cut = Copied(value, 4, query.key);
    fuzz::Check(whole.compare(0, cut.size(), cut) == 0, "a small buffer gets the start of the value", whole);
  }

  // The text in each encoding: the same answers. (Without a BOM a text that
  // starts with U+FEFF would lose it as one.)
  std::vector<std::string> encodings{"\xEF\xBB\xBF" + platform::ToUtf8(text), Utf16Bytes(text, false),
                                     Utf16Bytes(text, true)};
  if (text.empty() || text[0] != 0xFEFF) encodings.push_back(platform::ToUtf8(text));
  // The same lines, so every lookup gives the same value.
  const WideStringList first = platform::IniLinesOfBytes(encodings[0], Ansi());
  for (size_t i = 1; i < encodings.size(); ++i) {
    fuzz::Check(platform::IniLinesOfBytes(encodings[i], Ansi()) == first, "every encoding reads the same lines", text);
  }
  return 0;
}
