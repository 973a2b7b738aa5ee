#include "platform/ini_encoding.h"

#include "platform/text.h"

namespace platform {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

std::string EncodeLossily(const WideString& text, IniEncoding encoding, const AnsiCodec& ansi) {
  switch (encoding) {
    case IniEncoding::Utf8Bom:
      return ToUtf8(text);
    case IniEncoding::Utf16Le:
      return ToUtf16Bytes(text, false);
    case IniEncoding::Utf16Be:
      return ToUtf16Bytes(text, true);
    case IniEncoding::Ansi:
      break;
  }
  return ansi.encode(text);
}

}  // namespace

IniEncoding DetectIniEncoding(std::string_view file) {
  if (file.starts_with(kUtf8Bom)) return IniEncoding::Utf8Bom;
  if (file.starts_with(kUtf16LeBom)) return IniEncoding::Utf16Le;
  if (file.starts_with(kUtf16BeBom)) return IniEncoding::Utf16Be;
  return IniEncoding::Ansi;
}

std::string_view ByteOrderMarkOf(IniEncoding encoding) {
  switch (encoding) {
    case IniEncoding::Utf8Bom:
      return kUtf8Bom;
    case IniEncoding::Utf16Le:
      return kUtf16LeBom;
    case IniEncoding::Utf16Be:
      return kUtf16BeBom;
    case IniEncoding::Ansi:
      break;
  }
  return {};
}

AnsiCodec SystemAnsiCodec() {
  return {[](std::string_view bytes) { return FromAnsi(bytes); }, [](const WideString& text) { return ToAnsi(text); }};
}

WideString DecodeIniBytes(std::string_view bytes, IniEncoding encoding, const AnsiCodec& ansi) {
  switch (encoding) {
    case IniEncoding::Utf8Bom:
      return FromUtf8(bytes);
    case IniEncoding::Utf16Le:
      return FromUtf16Bytes(bytes, false);
    case IniEncoding::Utf16Be:
      return FromUtf16Bytes(bytes, true);
    case IniEncoding::Ansi:
      break;
  }
  return ansi.decode(bytes);
}

// A code page without a character, or a text that is no valid Unicode, would
// store something else than the text: it is refused rather than altered.
std::optional<std::string> EncodeIniText(const WideString& text, IniEncoding encoding, const AnsiCodec& ansi) {
  std::string bytes = EncodeLossily(text, encoding, ansi);
  if (DecodeIniBytes(bytes, encoding, ansi) != text) return std::nullopt;
  return bytes;
}

WideString DecodeIniFile(std::string_view file, const AnsiCodec& ansi) {
  const IniEncoding encoding = DetectIniEncoding(file);
  return DecodeIniBytes(file.substr(ByteOrderMarkOf(encoding).size()), encoding, ansi);
}

}  // namespace platform
