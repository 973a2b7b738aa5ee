// The settings writer on any file and any setting: input is "section \x1F key
// \x1F value \x1F file". What it writes, reading finds: the value it set, and
// every other setting of the file as it was; writing the same again changes
// nothing. Files without a byte-order mark are Latin-1 here, so that every
// byte has a character and the target does not depend on the machine.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform/ini_format.h"

using namespace launcher;

namespace {

using namespace launcher::platform;

const AnsiCodec kLatin1{[](std::string_view bytes) {
                          WideString text;
                          for (char c : bytes) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
                          return text;
                        },
                        [](const WideString& text) {
                          std::string bytes;
                          for (wchar_t c : text) bytes.push_back(c < 256 ? static_cast<char>(c) : '?');
                          return bytes;
                        }};

std::vector<std::string_view> Fields(std::string_view input) {
  std::vector<std::string_view> fields;
  for (int i = 0; i < 3; ++i) {
    const size_t end = input.find('\x1F');
    if (end == std::string_view::npos) break;
    fields.push_back(input.substr(0, end));
    input.remove_prefix(end + 1);
  }
  fields.push_back(input);
  return fields;
}

// The (section, key) pairs of a file, as reading would name them.
std::vector<std::pair<WideString, WideString>> Settings(const ini::LineViews& lines) {
  std::vector<std::pair<WideString, WideString>> settings;
  WideString section;
  for (const std::wstring_view text : lines) {
    const ini::Line line = ini::LineOf(text);
    if (line.kind == ini::Line::Kind::Section) {
      section = line.name;
    } else if (line.kind == ini::Line::Kind::Key) {
      settings.emplace_back(section, line.name);
    }
  }
  return settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string_view> fields = Fields(fuzz::Bytes(data, size));
  if (fields.size() < 4) return 0;
  const WideString section = platform::FromUtf8(fields[0]);
  const WideString key = platform::FromUtf8(fields[1]);
  const WideString value = platform::FromUtf8(fields[2]);
  const std::string_view file = fields[3];

  const std::optional<std::string> written = SetIniValue(file, section, key, value, kLatin1, kNewIniFileFormat);
  if (!written) return 0;
  const WideString beforeText = DecodeIniFile(file, kLatin1);
  const WideString afterText = DecodeIniFile(*written, kLatin1);
  const ini::LineViews before = ini::SplitIniLines(beforeText);
  const ini::LineViews after = ini::SplitIniLines(afterText);
  fuzz::Check(ini::LookUpIniValue(after, section, key) == value, "reading finds the value written", value);
  for (const auto& [otherSection, otherKey] : Settings(before)) {
    // Names are read trimmed: " K" (or ^Z K) names the setting K.
    if (ini::SameName(otherSection, ini::Trim(section)) && ini::SameName(otherKey, ini::Trim(key))) continue;
    fuzz::Check(
        ini::LookUpIniValue(after, otherSection, otherKey) == ini::LookUpIniValue(before, otherSection, otherKey),
        "every other setting keeps its value", otherSection + L"/" + otherKey);
  }
  fuzz::Check(SetIniValue(*written, section, key, value, kLatin1, kNewIniFileFormat) == written,
              "writing the same value again changes nothing", value);
  return 0;
}
