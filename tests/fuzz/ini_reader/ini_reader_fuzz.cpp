// The settings reader on any file content, in memory (reading the file is a
// thin layer above it): raw bytes (a UTF-16 file cut in a character, binary
// garbage, stray BOMs). That one text reads alike in every encoding is the
// ini_encodings target's.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "platform/ini_file_bytes.h"

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

// Fixed names, and the names of the file's own section and key lines.
std::vector<Query> QueriesOf(std::span<const std::wstring_view> lines) {
  std::vector<Query> queries{{L"Application", L"Main Class"}, {L"A", L"k"}, {L"", L""}};
  WideString section;
  for (size_t i = 0; i < lines.size() && queries.size() < 8; ++i) {
    const std::wstring_view line = lines[i];
    const size_t open = line.find(L'['), close = line.rfind(L']'), equals = line.find(L'=');
    if (open != std::wstring_view::npos && close != std::wstring_view::npos && close > open) {
      section = line.substr(open + 1, close - open - 1);
    } else if (equals != std::wstring_view::npos) {
      const WideString key(line.substr(0, equals));
      queries.push_back({section, key});
      queries.push_back({section, key + L"x"});
    }
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The bytes as they are: only the shape of the answer can be checked.
  const platform::IniLines lines = platform::IniLinesOfBytes(fuzz::Bytes(data, size), Ansi());
  for (const Query& query : QueriesOf(lines.lines())) {
    const WideString value = platform::IniValueInLines(lines, query.section, query.key);
    const WideString whole = Copied(value, kBufferSize, query.key);
    CheckValue(whole);
    const WideString cut = Copied(value, 4, query.key);
    fuzz::Check(whole.compare(0, cut.size(), cut) == 0, "a small buffer gets the start of the value", whole);
  }
  return 0;
}
