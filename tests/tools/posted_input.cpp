#include "posted_input.h"

namespace ui_driver {
namespace {

struct KeyInfo {
  UINT virtualKey;
  const wchar_t* name;
};

KeyInfo InfoOf(KeyName key) {
  switch (key) {
    case KeyName::Return:
      return {VK_RETURN, L"RETURN"};
    case KeyName::Escape:
      return {VK_ESCAPE, L"ESCAPE"};
    case KeyName::Space:
      return {VK_SPACE, L"SPACE"};
    case KeyName::Tab:
      break;
  }
  return {VK_TAB, L"TAB"};
}

LPARAM PointParam(POINT point) { return MAKELPARAM(point.x, point.y); }

}  // namespace

void PostClick(HWND window, POINT press, POINT release) {
  ::PostMessageW(window, WM_MOUSEMOVE, 0, PointParam(press));
  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(press));
  if (press.x != release.x || press.y != release.y) {
    ::PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, PointParam(release));
  }
  ::PostMessageW(window, WM_LBUTTONUP, 0, PointParam(release));
}

void PostKey(HWND window, KeyName key) {
  const UINT virtualKey = InfoOf(key).virtualKey;
  // Repeat count 1 and the scan code; a release also has the previous-state and transition bits.
  const LPARAM down = 1 | static_cast<LPARAM>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  const LPARAM up = down | (LPARAM{1} << 30) | (LPARAM{1} << 31);
  ::PostMessageW(window, WM_KEYDOWN, virtualKey, down);
  ::PostMessageW(window, WM_KEYUP, virtualKey, up);
}

std::wstring KeyNameText(KeyName key) { return InfoOf(key).name; }

}  // namespace ui_driver
