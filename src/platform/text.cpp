#include "platform/text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace launcher::platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Where the run of ASCII bytes from i ends: eight bytes are tested at once
// while none of them has its high bit set.
size_t AsciiRunEnd(std::string_view bytes, size_t i) {
  constexpr uint64_t kHighBits = 0x8080808080808080;
  for (uint64_t word = 0; i + sizeof word <= bytes.size(); i += sizeof word) {
    std::memcpy(&word, bytes.data() + i, sizeof word);
    if ((word & kHighBits) != 0) break;
  }
  while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80) ++i;
  return i;
}

// Visits the code points of a wide text: UTF-16 where wchar_t has 16 bits, UTF-32 otherwise.
template <typename Visit>
void ForEachCodePoint(std::wstring_view text, Visit visit) {
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = static_cast<char32_t>(text[i]);
    if constexpr (sizeof(wchar_t) == 2) {
      c &= 0xFFFF;
      if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(static_cast<char32_t>(text[i + 1]) & 0xFFFF)) {
        char32_t low = static_cast<char32_t>(text[++i]) & 0xFFFF;
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      }
    }
    visit(c);
  }
}

void AppendWide(WideString& out, char32_t c) {
  if constexpr (sizeof(wchar_t) == 2) {
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
      return;
    }
  }
  out.push_back(static_cast<wchar_t>(c));
}

}  // namespace

std::string ToUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  ForEachCodePoint(text, [&out](char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  });
  return out;
}

WideString FromUtf8(std::string_view bytes) {
  WideString out;
  out.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    // Runs of ASCII, most of any text read here, are copied as they are.
    const size_t ascii = i;
    i = AsciiRunEnd(bytes, i);
    const size_t end = out.size();
    out.resize(end + (i - ascii));
    std::copy(bytes.begin() + ascii, bytes.begin() + i, out.begin() + end);
    if (i == bytes.size()) break;
    unsigned char lead = static_cast<unsigned char>(bytes[i]);
    const int length = (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > bytes.size()) {
      AppendWide(out, kReplacement);
      ++i;
      continue;
    }
    char32_t c = lead & (0x7F >> length);
    bool valid = true;
    for (int k = 1; k < length; ++k) {
      unsigned char next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) {
        valid = false;
        break;
      }
      c = (c << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (!valid || c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      AppendWide(out, kReplacement);
      ++i;
      continue;
    }
    AppendWide(out, c);
    i += length;
  }
  return out;
}

std::u16string ToUtf16(std::wstring_view text) {
  std::u16string out;
  out.reserve(text.size());
  if constexpr (sizeof(wchar_t) == 2) {
    for (wchar_t c : text) out.push_back(static_cast<char16_t>(c));
  } else {
    ForEachCodePoint(text, [&out](char32_t c) {
      if (c >= 0x10000 && c <= 0x10FFFF) {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
      } else {
        out.push_back(static_cast<char16_t>(c > 0x10FFFF ? kReplacement : c));
      }
    });
  }
  return out;
}

WideString FromUtf16(std::u16string_view units) {
  WideString out;
  out.reserve(units.size());
  if constexpr (sizeof(wchar_t) == 2) {
    for (char16_t c : units) out.push_back(static_cast<wchar_t>(c));
  } else {
    for (size_t i = 0; i < units.size(); ++i) {
      char32_t c = units[i];
      if (IsHighSurrogate(c) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
        c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
      } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
        c = kReplacement;
      }
      out.push_back(static_cast<wchar_t>(c));
    }
  }
  return out;
}

WideString FromUtf16Bytes(std::string_view bytes, bool bigEndian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const unsigned first = static_cast<unsigned char>(bytes[i]);
    const unsigned second = static_cast<unsigned char>(bytes[i + 1]);
    units.push_back(static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
  }
  return FromUtf16(units);
}

std::string ToUtf16Bytes(std::wstring_view text, bool bigEndian) {
  std::string bytes;
  for (char16_t unit : ToUtf16(text)) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes.push_back(bigEndian ? high : low);
    bytes.push_back(bigEndian ? low : high);
  }
  return bytes;
}

WideString DecodeText(std::string_view bytes) {
  if (bytes.substr(0, 2) == "\xFF\xFE") return FromUtf16Bytes(bytes.substr(2), false);
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return FromUtf8(bytes);
}

}  // namespace launcher::platform
