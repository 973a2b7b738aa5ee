// The release file parser on any text: a value comes from one line and has no
// quote, line end or trailing space; a value written as KEY="value" reads back;
// lines before the key's change nothing unless they set it.
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "platform/release_file.h"
#include "platform/unicode.h"

namespace {

void CheckValue(const std::optional<WideString>& value) {
  if (!value) return;
  fuzz::Check(value->find_first_of(L"\"\n") == WideString::npos, "a value holds no quote or line end", *value);
  fuzz::Check(value->empty() || (value->back() != L' ' && value->back() != L'\r'), "a value is trimmed", *value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = fuzz::Bytes(data, size);
  // The first line's name (before "=") is a key to look for too.
  const std::string ownKey(text.substr(0, std::min(text.find('='), text.find('\n'))));
  for (const std::string& key : {std::string("JAVA_VERSION"), ownKey}) {
    const std::optional<WideString> value = platform::ReleaseFileValue(text, key);
    CheckValue(value);
    if (!value) {
      fuzz::Check(!text.starts_with(key + "=") && text.find("\n" + key + "=") == std::string_view::npos,
                  "a line that starts with KEY= is found", platform::FromUtf8(key));
    }

    // The text as a value of its own, below other lines: it reads back.
    std::string written;
    for (char c : text) {
      if (c != '"' && c != '\n' && c != '\r') written += c;
    }
    while (!written.empty() && written.back() == ' ') written.pop_back();
    const std::string file = "IMPLEMENTOR=\"X\"\n" + key + "=\"" + written + "\"\r\nJAVA_VERSION=\"late\"\n";
    if (key.find('\n') != std::string::npos || key.find('=') != std::string::npos || key == "IMPLEMENTOR") continue;
    fuzz::Check(platform::ReleaseFileValue(file, key) == platform::FromUtf8(written), "a written value reads back",
                platform::FromUtf8(written));
  }
  return 0;
}
