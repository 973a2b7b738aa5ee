#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/ini_encoding.h"
#include "platform/wide_string.h"

namespace platform {

// A file's decoded text and its lines (in which ini::LookUpIniValue finds a
// value), which are views into the text rather than a copy each.
class IniLines {
 public:
  explicit IniLines(WideString text);
  std::span<const std::wstring_view> lines() const { return lines_; }

 private:
  // A block of its own, so that the views stay valid when the object moves.
  std::unique_ptr<const WideString> text_;
  std::vector<std::wstring_view> lines_;
};

// The POSIX reading of ReadIniString (ini_file.h) on the bytes of a file already in
// memory: the file's lines, and the value of [section] key, "" when there is none.
IniLines IniLinesOfBytes(std::string_view file, const AnsiCodec& ansi);
WideString IniValueInLines(const IniLines& lines, const WideString& section, const WideString& key);

// Copies value into buffer (size characters) as ReadIniString does: truncated
// to size - 1 characters and NUL-terminated; the number of characters copied.
uint32_t CopyIniValue(const WideString& value, wchar_t* buffer, uint32_t size);

}  // namespace platform
