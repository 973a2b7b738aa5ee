#pragma once

#include <string>

#include "platform/windows_api.h"

namespace window_fixture {

// One line to standard output, in UTF-8, at once: scenarios wait for the
// lines while the fixture runs.
void Say(const std::wstring& line);

std::wstring Hex(DWORD value);                   // 0x and eight upper-case hex digits
std::wstring HandleText(HWND window);            // as Hex, for a window handle
std::wstring RectText(const RECT& rect);         // L,T,R,B
std::wstring PairText(long first, long second);  // A,B

}  // namespace window_fixture
