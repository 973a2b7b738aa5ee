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
#include "platform/ini_format.h"

using namespace launcher;

namespace {

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

void CheckValue(const platform::IniLines& lines, const WideString& value) {
  fuzz::Check(value.find_first_of(L"\r\n") == WideString::npos, "a value holds no line end", value);
  const bool read =
      value.empty() || std::any_of(lines.lines().begin(), lines.lines().end(),
                                   [&](std::wstring_view line) { return line.find(value) != std::wstring_view::npos; });
  fuzz::Check(read, "a value is text of one of the file's lines", value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The bytes as they are: only the shape of the answer can be checked.
  const platform::IniLines lines = platform::IniLinesOfBytes(fuzz::Bytes(data, size), Ansi());
  for (const Query& query : QueriesOf(lines.lines())) CheckValue(lines, lines.Value(query.section, query.key));
  return 0;
}
