#include "platform/runtime_layout.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace launcher::platform {

#if defined(__aarch64__) || defined(_M_ARM64)
const uint16_t kOwnPeMachine = 0xAA64;
const uint16_t kOwnElfMachine = 183;
#else
const uint16_t kOwnPeMachine = 0x8664;
const uint16_t kOwnElfMachine = 62;
#endif

namespace {

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

std::optional<WideString> ReleaseFileValue(std::string_view text, std::string_view key) {
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || Trimmed(line.substr(0, equals)) != key) continue;
    return FromUtf8(Unquoted(Trimmed(line.substr(equals + 1))));
  }
  return std::nullopt;
}

std::string ReadReleaseFile(const WideString& home) {
  constexpr size_t kLimit = 64 * 1024;
  return ReadFileStart(WithTrailingSeparator(home) + L"release", kLimit).value_or("");
}

}  // namespace launcher::platform
