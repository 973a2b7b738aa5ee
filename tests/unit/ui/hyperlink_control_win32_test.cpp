#include "ui/win32/hyperlink_control.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ui/win32/shell_functions.h"

namespace launcher::ui {

// The link on a real static control in this process (under Wine in the
// tests), where what another process cannot see can be asked: the cursor, the
// tooltip's tool, the dialog code, and what painting draws. The cases that
// read the link colours from the registry take its lock (SystemRegistry).

namespace {

using ui::win32::HyperlinkControl;

constexpr wchar_t kAddress[] = L"https://example.com/download";
constexpr wchar_t kColoursKey[] = L"Software\\Microsoft\\Internet Explorer\\Settings";

class HyperlinkTest : public testing::Test {
 protected:
  HyperlinkTest() {
    parent_ = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr, nullptr, nullptr);
    control_ = ::CreateWindowExW(0, L"STATIC", kAddress, WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 380, 40, parent_,
                                 nullptr, nullptr, nullptr);
  }
  ~HyperlinkTest() override { ::DestroyWindow(parent_); }

  // The control's pixels as WM_PRINTCLIENT paints them, 0x00BBGGRR each.
  std::vector<uint32_t> Painted() {
    RECT client{};
    ::GetClientRect(control_, &client);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::SendMessageW(control_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    ::GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> colours;
    for (int i = 0; i < client.right * client.bottom; ++i) {
      const uint32_t rgb = pixels[i] & 0xFFFFFF;  // 0x00RRGGBB in a DIB
      colours.push_back((rgb >> 16) | (rgb & 0xFF00) | (rgb & 0xFF) << 16);
    }
    ::SelectObject(memory, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return colours;
  }

  size_t PaintedIn(COLORREF colour) {
    size_t count = 0;
    for (uint32_t pixel : Painted()) count += pixel == colour ? 1 : 0;
    return count;
  }

  HWND Tooltip() {
    HWND found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM result) {
          wchar_t name[32] = {};
          ::GetClassNameW(window, name, 32);
          if (::lstrcmpiW(name, TOOLTIPS_CLASSW) == 0) *reinterpret_cast<HWND*>(result) = window;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
  }

  HWND parent_ = nullptr;
  HWND control_ = nullptr;
};

TEST_F(HyperlinkTest, TheTextIsTheAddressOfItsTooltipAndTheHandCursorIsOverIt) {
  const ui::win32::ShellFunctions* shell = ui::win32::LoadShellFunctions();
  ASSERT_NE(shell, nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  shell->initCommonControls(&controls);
  HyperlinkControl link;
  ASSERT_TRUE(link.Attach(control_));
  EXPECT_NE(::GetWindowLongPtrW(control_, GWL_STYLE) & SS_NOTIFY, 0);

  HWND tooltip = Tooltip();
  ASSERT_NE(tooltip, nullptr);
  EXPECT_EQ(::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
  wchar_t text[128] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.lpszText = text;
  ASSERT_TRUE(::SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)));
  EXPECT_STREQ(text, kAddress);
  // The tool covers the text, which is narrower than the control.
  EXPECT_EQ(tool.rect.left, 0);
  EXPECT_GT(tool.rect.right, 20);
  EXPECT_LT(tool.rect.right, 380);

  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  ::SendMessageW(control_, WM_MOUSEMOVE, 0, MAKELPARAM(tool.rect.right + 5, 2));
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
  ::SendMessageW(control_, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));

  ::DestroyWindow(control_);
  EXPECT_FALSE(::IsWindow(tooltip));
}

TEST_F(HyperlinkTest, WantsCharactersAndEnter) {
  HyperlinkControl link;
  ASSERT_TRUE(link.Attach(control_));
  MSG enter{control_, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  MSG escape{control_, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  EXPECT_EQ(::SendMessageW(control_, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS);
  EXPECT_EQ(::SendMessageW(control_, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)),
            DLGC_WANTCHARS | DLGC_WANTMESSAGE);
  EXPECT_EQ(::SendMessageW(control_, WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&escape)), DLGC_WANTCHARS);
}

TEST_F(HyperlinkTest, AFontSetLaterIsTheOneItReports) {
  HyperlinkControl link;
  ASSERT_TRUE(link.Attach(control_));
  HFONT font = static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT));
  ::SendMessageW(control_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(control_, WM_GETFONT, 0, 0)), font);
}

class HyperlinkSystemRegistryTest : public HyperlinkTest {
 protected:
  ~HyperlinkSystemRegistryTest() override {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kColoursKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
      ::RegDeleteValueW(key, L"Anchor Color");
      ::RegCloseKey(key);
    }
  }

  void SetAnchorColour(const wchar_t* value) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kColoursKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(key, L"Anchor Color", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                     static_cast<DWORD>((::lstrlenW(value) + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
  }
};

TEST_F(HyperlinkSystemRegistryTest, PaintsInTheLinkColourAndGreyWhenDisabled) {
  SetAnchorColour(L"0,128,0");
  HyperlinkControl link;
  ASSERT_TRUE(link.Attach(control_));
  EXPECT_GT(PaintedIn(RGB(0, 128, 0)), 20u);
  EXPECT_EQ(PaintedIn(RGB(0, 0, 255)), 0u);
  ::EnableWindow(control_, FALSE);
  EXPECT_GT(PaintedIn(::GetSysColor(COLOR_GRAYTEXT)), 20u);
  EXPECT_EQ(PaintedIn(RGB(0, 128, 0)), 0u);
}

TEST_F(HyperlinkSystemRegistryTest, AFailedOpenLeavesTheLinkUnvisited) {
  HyperlinkControl link;
  ASSERT_TRUE(link.Attach(control_));
  link.SetTarget(L"Z:\\no such folder\\no such file.none");
  EXPECT_FALSE(link.Navigate());
  EXPECT_FALSE(link.Visited());
  EXPECT_GT(PaintedIn(RGB(0, 0, 255)), 20u);
  EXPECT_EQ(PaintedIn(RGB(128, 0, 128)), 0u);
}

}  // namespace

}  // namespace launcher::ui
