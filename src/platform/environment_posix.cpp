#include "platform/environment.h"

#include <cstdlib>

#include "platform/text.h"

namespace platform {

std::optional<WideString> GetEnvironmentValue(const WideString& name) {
  const char* value = std::getenv(ToUtf8(name).c_str());
  if (value == nullptr) return std::nullopt;
  return FromUtf8(value);
}

bool SetEnvironmentValue(const WideString& name, const WideString& value) {
  return setenv(ToUtf8(name).c_str(), ToUtf8(value).c_str(), 1) == 0;
}

bool UnsetEnvironmentValue(const WideString& name) { return unsetenv(ToUtf8(name).c_str()) == 0; }

WideString ExpandEnvironmentReferences(const WideString& text) {
  WideString out;
  size_t position = 0;
  while (position < text.size()) {
    size_t open = text.find(L'%', position);
    if (open == WideString::npos) {
      out.append(text, position);
      break;
    }
    out.append(text, position, open - position);
    size_t close = text.find(L'%', open + 1);
    if (close == WideString::npos) {  // unfinished reference: copied as it is
      out.append(text, open);
      break;
    }
    std::optional<WideString> value =
        close > open + 1 ? GetEnvironmentValue(text.substr(open + 1, close - open - 1)) : std::nullopt;
    if (value) {
      out += *value;
    } else {
      out.append(text, open, close - open + 1);
    }
    position = close + 1;
  }
  return out;
}

}  // namespace platform
