#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/wide_string.h"

namespace platform {

// How a settings file stores its text: the byte-order mark it starts with, or
// none, when it is in the system's 8-bit code page (ANSI on Windows, UTF-8 on
// POSIX).
enum class IniEncoding { Ansi, Utf8Bom, Utf16Le, Utf16Be };

IniEncoding DetectIniEncoding(std::string_view file);
std::string_view ByteOrderMarkOf(IniEncoding encoding);

// The 8-bit code page of a file without a byte-order mark.
struct AnsiCodec {
  std::function<WideString(std::string_view bytes)> decode;
  std::function<std::string(const WideString& text)> encode;
};

// The system's: the thread's ANSI code page on Windows, UTF-8 on POSIX.
AnsiCodec SystemAnsiCodec();

// Bytes (without the byte-order mark) to text and back. Encoding fails when
// the encoding cannot hold every character of the text unchanged.
WideString DecodeIniBytes(std::string_view bytes, IniEncoding encoding, const AnsiCodec& ansi);
std::optional<std::string> EncodeIniText(const WideString& text, IniEncoding encoding, const AnsiCodec& ansi);

// A whole file's text, its byte-order mark left out.
WideString DecodeIniFile(std::string_view file, const AnsiCodec& ansi);

// What a settings file that does not exist yet is written as.
struct IniFileFormat {
  IniEncoding encoding;
  const wchar_t* lineEnd;
};
extern const IniFileFormat kNewIniFileFormat;

}  // namespace platform
