// One settings text stored in every encoding the reader takes (UTF-8 with and
// without a BOM, UTF-16LE, UTF-16BE) reads as the same text, so as the same
// lines and values. The parsing of raw bytes has a target of its own
// (ini_reader), which runs faster without the encoding round trips.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform/ini_format.h"
#include "platform/text.h"

using namespace launcher;

namespace {

const platform::AnsiCodec& Ansi() {
  static const platform::AnsiCodec codec = platform::SystemAnsiCodec();
  return codec;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const WideString text = fuzz::Text(data, size);
  const std::string utf8 = platform::ToUtf8(text);
  std::vector<std::string> encodings{"\xEF\xBB\xBF" + utf8, "\xFF\xFE" + platform::ToUtf16Bytes(text, false),
                                     "\xFE\xFF" + platform::ToUtf16Bytes(text, true)};
  // Without a BOM, a text that starts with U+FEFF would lose it as one.
  if (text.empty() || text[0] != 0xFEFF) encodings.push_back(utf8);
  const WideString first = platform::DecodeIniFile(encodings[0], Ansi());
  for (size_t i = 1; i < encodings.size(); ++i) {
    fuzz::Check(platform::DecodeIniFile(encodings[i], Ansi()) == first, "every encoding reads as the same text", text);
  }
  return 0;
}
