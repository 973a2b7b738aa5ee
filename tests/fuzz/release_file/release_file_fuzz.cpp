// The release file parser on any text: there is a value exactly when a line
// names the key, and it holds no line end; a value written as KEY="value"
// below other lines reads back, whatever it holds.
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "platform/runtime_layout.h"
#include "platform/text.h"

using namespace launcher;

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Whether a line names the key: its text before the first "=", blanks trimmed.
bool NamesKey(std::string_view text, std::string_view key) {
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    const size_t equals = line.find('=');
    if (equals != std::string_view::npos && Trimmed(line.substr(0, equals)) == key) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = fuzz::Bytes(data, size);
  // The first line's name (before "=") is a key to look for too.
  const std::string ownKey(Trimmed(text.substr(0, std::min(text.find('='), text.find('\n')))));
  for (const std::string& key : {std::string("JAVA_VERSION"), ownKey}) {
    const std::optional<WideString> value = platform::ReleaseFileValue(text, key);
    fuzz::Check(value.has_value() == NamesKey(text, key), "a value exactly when a line names the key",
                platform::FromUtf8(key));
    if (value) fuzz::Check(value->find(L'\n') == WideString::npos, "a value holds no line end", *value);

    // The input as the value of KEY, below another line and above a later one of the same key.
    if (key.find_first_of("\n=") != std::string::npos || key.empty() || key == "IMPLEMENTOR") continue;
    std::string written;
    for (char c : text) {
      if (c != '\n') written += c;
    }
    written = std::string(Trimmed(written));
    const std::string file = "IMPLEMENTOR=\"X\"\n" + key + "=\"" + written + "\"\r\n" + key + "=\"late\"\n";
    fuzz::Check(platform::ReleaseFileValue(file, key) == platform::FromUtf8(written), "a written value reads back",
                platform::FromUtf8(written));
  }
  return 0;
}
