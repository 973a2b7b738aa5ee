#include "platform/text.h"

namespace launcher::platform {

std::string ToAnsi(std::wstring_view text) { return ToUtf8(text); }

WideString FromAnsi(std::string_view bytes) { return FromUtf8(bytes); }

// The 8-bit encoding is always UTF-8 here; the locale does not change it.
void UseSystemLocaleForThread() {}

}  // namespace launcher::platform
