#include "ui/win32/link_colours.h"

#include <optional>

#include "platform/windows_api.h"
#include "ui/anchor_colour.h"

namespace launcher::ui::win32 {
namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Microsoft\\Internet Explorer\\Settings";

// A text value of at most the longest colour text; nothing for a longer one,
// another type, or data that is not whole terminated text.
std::optional<WideString> ShortText(HKEY key, const wchar_t* name) {
  wchar_t data[kAnchorColourMaxLength + 1] = {};
  DWORD type = 0;
  DWORD size = sizeof data;
  if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  if (size == 0) return WideString();
  if (size % sizeof(wchar_t) != 0 || data[size / sizeof(wchar_t) - 1] != L'\0') return std::nullopt;
  return WideString(data);
}

void ReadColour(HKEY key, const wchar_t* name, uint32_t& colour) {
  if (std::optional<WideString> text = ShortText(key, name)) {
    if (std::optional<uint32_t> parsed = ParseAnchorColour(*text)) colour = *parsed;
  }
}

}  // namespace

// Read access is all that reading needs; an account that may not write the key
// still gets its colours.
LinkColours ReadLinkColours() {
  LinkColours colours;
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &opened) != ERROR_SUCCESS) return colours;
  const platform::win32::RegistryKeyHandle key(opened);
  ReadColour(key.Get(), L"Anchor Color", colours.link);
  ReadColour(key.Get(), L"Anchor Color Visited", colours.visited);
  return colours;
}

}  // namespace launcher::ui::win32
