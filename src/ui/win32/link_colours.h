#pragma once

#include <cstdint>

namespace launcher::ui::win32 {

// The colours of a link, as COLORREF values.
struct LinkColours {
  uint32_t link = 0x00FF0000;     // blue
  uint32_t visited = 0x00800080;  // purple
};

// The browser's link colours of this user ("Anchor Color" and "Anchor Color
// Visited" under HKCU\Software\Microsoft\Internet Explorer\Settings), each
// replacing its default only when it is readable and valid.
LinkColours ReadLinkColours();

}  // namespace launcher::ui::win32
