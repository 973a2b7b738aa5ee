#include "platform/string_resource.h"

#include <algorithm>
#include <cwchar>

namespace platform {
namespace {

struct StringEntry {
  uint32_t id;
  const wchar_t* text;
};

// The same list of texts that the Windows string table is made from.
#define STRING_ENTRY(id, text) {id, L"" text},
constexpr StringEntry kStringTable[] = {
#include "string_table.inc"
};
#undef STRING_ENTRY

}  // namespace

int LoadResourceString(uint32_t id, wchar_t* buffer, int size) {
  if (size <= 0) return 0;
  buffer[0] = L'\0';
  for (const StringEntry& entry : kStringTable) {
    if (entry.id != id) continue;
    int length = std::min(static_cast<int>(std::wcslen(entry.text)), size - 1);
    std::wmemcpy(buffer, entry.text, static_cast<size_t>(length));
    buffer[length] = L'\0';
    return length;
  }
  return 0;
}

}  // namespace platform
