#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/text.h"
#include "platform/wide_string.h"

// What the fuzz targets share: a failed property ends the run as a crash,
// which libFuzzer reports with the input that caused it.
namespace fuzz {

[[noreturn]] inline void Failed(const char* property, const launcher::WideString& detail) {
  std::fprintf(stderr, "property failed: %s\n  [%s]\n", property, launcher::platform::ToUtf8(detail).c_str());
  std::abort();
}

inline void Check(bool holds, const char* property, const launcher::WideString& detail = L"") {
  if (!holds) Failed(property, detail);
}

inline std::string_view Bytes(const uint8_t* data, size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

// The input as text: UTF-8, as the settings and the command line arrive.
inline launcher::WideString Text(const uint8_t* data, size_t size) {
  return launcher::platform::FromUtf8(Bytes(data, size));
}

inline bool StartsWith(const launcher::WideString& text, const launcher::WideString& start) {
  return text.compare(0, start.size(), start) == 0;
}

inline bool EndsWith(const launcher::WideString& text, const launcher::WideString& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace fuzz
