// The POSIX INI reader on any file content: raw bytes (a UTF-16 file cut in a
// character, binary garbage, stray BOMs), and the same text in every encoding
// the reader takes, which must all read alike.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform/ini_file.h"
#include "platform/unicode.h"

namespace {

constexpr uint32_t kBufferSize = 64;

// The file the reader opens: a memory file, rewritten for each input.
class MemoryFile {
 public:
  MemoryFile() : descriptor_(memfd_create("fuzz.ini", MFD_CLOEXEC)) {
    if (descriptor_ < 0) fuzz::Failed("memfd_create", L"");
    path_ = L"/proc/self/fd/" + std::to_wstring(descriptor_);
  }

  const WideString& Holding(std::string_view bytes) {
    if (ftruncate(descriptor_, 0) != 0 ||
        pwrite(descriptor_, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())) {
      fuzz::Failed("writing the memory file", L"");
    }
    return path_;
  }

 private:
  int descriptor_;
  WideString path_;
};

MemoryFile& File() {
  static MemoryFile file;
  return file;
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
WideString Read(const Query& query, const WideString& path, uint32_t size) {
  std::vector<wchar_t> buffer(size + 1, L'#');
  const uint32_t length = platform::ReadIniString(query.section, query.key, buffer.data(), size, path);
  fuzz::Check(length < size, "the length leaves room for the NUL", query.key);
  fuzz::Check(buffer[length] == L'\0', "the value ends with a NUL", query.key);
  fuzz::Check(buffer[size] == L'#', "nothing is written past the buffer", query.key);
  return WideString(buffer.data(), length);
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
  const WideString& path = File().Holding(raw);
  for (const Query& query : queries) {
    const WideString whole = Read(query, path, kBufferSize);
    CheckValue(whole);
    const WideString cut = Read(query, path, 4);
    fuzz::Check(whole.compare(0, cut.size(), cut) == 0, "a small buffer gets the start of the value", whole);
  }

  // The text in each encoding: the same answers. (Without a BOM a text that
  // starts with U+FEFF would lose it as one.)
  std::vector<std::string> encodings{"\xEF\xBB\xBF" + platform::ToUtf8(text), Utf16Bytes(text, false),
                                     Utf16Bytes(text, true)};
  if (text.empty() || text[0] != 0xFEFF) encodings.push_back(platform::ToUtf8(text));
  for (const Query& query : queries) {
    std::vector<WideString> values;
    for (const std::string& bytes : encodings) values.push_back(Read(query, File().Holding(bytes), 1024));
    for (const WideString& value : values) {
      fuzz::Check(value == values[0], "every encoding reads the same value", query.section + L"/" + query.key);
    }
  }
  return 0;
}
