#include "brand/manifest_level.h"

#include <array>

namespace launcher::brand {

namespace {

constexpr std::array<const char*, 3> kNames{"asInvoker", "highestAvailable", "requireAdministrator"};

struct ValueSpan {
  size_t start = 0;
  size_t length = 0;
};

// Where the value of the element's level attribute lies.
std::optional<ValueSpan> FindLevelValue(std::string_view manifest) {
  const size_t element = manifest.find("requestedExecutionLevel");
  if (element == std::string_view::npos) return std::nullopt;
  const size_t close = manifest.find('>', element);
  const std::string_view tag =
      manifest.substr(element, close == std::string_view::npos ? std::string_view::npos : close - element);
  for (size_t at = tag.find("level"); at != std::string_view::npos; at = tag.find("level", at + 1)) {
    // "level" on its own, not the tail of another attribute's name.
    if (at == 0) continue;
    const char before = tag[at - 1];
    if (before != ' ' && before != '\t' && before != '\r' && before != '\n') continue;
    size_t cursor = at + 5;
    while (cursor < tag.size() && (tag[cursor] == ' ' || tag[cursor] == '\t')) ++cursor;
    if (cursor >= tag.size() || tag[cursor] != '=') continue;
    ++cursor;
    while (cursor < tag.size() && (tag[cursor] == ' ' || tag[cursor] == '\t')) ++cursor;
    if (cursor >= tag.size() || (tag[cursor] != '"' && tag[cursor] != '\'')) return std::nullopt;
    const size_t end = tag.find(tag[cursor], cursor + 1);
    if (end == std::string_view::npos) return std::nullopt;
    return ValueSpan{.start = element + cursor + 1, .length = end - cursor - 1};
  }
  return std::nullopt;
}

}  // namespace

std::optional<ExecutionLevel> ParseExecutionLevel(std::string_view text) {
  for (size_t i = 0; i < kNames.size(); ++i) {
    if (text == kNames[i]) return static_cast<ExecutionLevel>(i);
  }
  return std::nullopt;
}

const char* ExecutionLevelName(ExecutionLevel level) { return kNames[static_cast<size_t>(level)]; }

std::optional<std::string> RequestedExecutionLevel(std::string_view manifest) {
  std::optional<ValueSpan> span = FindLevelValue(manifest);
  if (!span) return std::nullopt;
  return std::string(manifest.substr(span->start, span->length));
}

BrandResult<std::string> WithExecutionLevel(std::string_view manifest, ExecutionLevel level) {
  std::optional<ValueSpan> span = FindLevelValue(manifest);
  if (!span) return BrandError{"the manifest requests no execution level to change"};
  std::string out(manifest);
  out.replace(span->start, span->length, ExecutionLevelName(level));
  return out;
}

}  // namespace launcher::brand
