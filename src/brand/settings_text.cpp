#include "brand/settings_text.h"

#include "common/little_endian.h"
#include "platform/text.h"
#include "settings/builtin_settings_check.h"

namespace launcher::brand {

namespace {

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > bytes.size()) return false;
    uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    const uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

// Whether UTF-16LE units pair their surrogates.
bool IsUtf16(std::string_view bytes) {
  const ByteReader units(bytes);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const uint16_t unit = units.U16(i);
    if (unit >= 0xDC00 && unit <= 0xDFFF) return false;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      const uint16_t low = units.U16(i + 2);
      if (i + 3 >= bytes.size() || low < 0xDC00 || low > 0xDFFF) return false;
      i += 2;
    }
  }
  return true;
}

// A CR before each LF that lacks one, in units of unitSize bytes (1 for
// UTF-8, 2 for UTF-16LE) after the first skip bytes.
std::string WithCrLfLines(std::string_view bytes, size_t skip, size_t unitSize) {
  const std::string cr = unitSize == 1 ? std::string("\r") : std::string("\r\0", 2);
  const std::string lf = unitSize == 1 ? std::string("\n") : std::string("\n\0", 2);
  std::string out(bytes.substr(0, skip));
  for (size_t i = skip; i < bytes.size(); i += unitSize) {
    const std::string_view unit = bytes.substr(i, unitSize);
    if (unit == lf && (i == skip || bytes.substr(i - unitSize, unitSize) != cr)) out += cr;
    out += unit;
  }
  return out;
}

}  // namespace

BrandResult<CheckedSettings> CheckSettingsBytes(std::string_view bytes) {
  if (bytes.size() > kLargestSettingsBytes) {
    return BrandError{"is larger than the launcher reads (" + std::to_string(settings::kLargestSettingsFileMegabytes) +
                      " MB)"};
  }
  const bool utf16 = bytes.substr(0, 2) == "\xFF\xFE";
  if (bytes.substr(0, 2) == "\xFE\xFF") {
    return BrandError{"is UTF-16 big-endian; the launcher reads UTF-8 or UTF-16LE with a byte-order mark"};
  }
  const bool wellFormed = utf16 ? bytes.size() % 2 == 0 && IsUtf16(bytes.substr(2)) : IsUtf8(bytes);
  const WideString text = platform::DecodeText(bytes);
  if (!wellFormed || text.find(L'\0') != WideString::npos) {
    return BrandError{"is not text (neither UTF-8 nor UTF-16LE with a byte-order mark, or it holds NUL characters)"};
  }
  std::string stored = utf16 ? WithCrLfLines(bytes, 2, 2) : WithCrLfLines(bytes, 0, 1);
  if (stored.size() > kLargestSettingsBytes) {
    return BrandError{"is larger than the launcher reads (" + std::to_string(settings::kLargestSettingsFileMegabytes) +
                      " MB) once its lines end in CR LF"};
  }
  const LineEnds lineEnds = stored.size() == bytes.size() ? LineEnds::Kept : LineEnds::MadeCrLf;
  CheckedSettings checked{.bytes = std::move(stored), .lineEnds = lineEnds, .notices = {}};
  for (const settings::SettingsNotice& notice : settings::CheckBuiltinSettings(platform::DecodeText(checked.bytes))) {
    checked.notices.push_back("line " + std::to_string(notice.line) + ": " + platform::ToUtf8(notice.text));
  }
  return checked;
}

}  // namespace launcher::brand
