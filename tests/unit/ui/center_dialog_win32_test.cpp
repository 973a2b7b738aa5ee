#include "ui/win32/center_dialog.h"

#include <gtest/gtest.h>

namespace launcher::ui {

// CenterDialog on real windows: over a visible owner, else in the middle of
// the work area, whatever the hidden or minimised owner's place.

namespace {

using ui::win32::CenterDialog;

struct Windows {
  HWND owner = nullptr;
  HWND dialog = nullptr;
  ~Windows() {
    if (dialog) ::DestroyWindow(dialog);
    if (owner) ::DestroyWindow(owner);
  }
};

RECT WorkArea() {
  RECT area{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

RECT RectOf(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

// A 300 x 200 popup standing in for a dialog, owned by owner.
HWND MakeDialog(HWND owner) {
  return ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 5, 5, 300, 200, owner, nullptr, nullptr, nullptr);
}

HWND MakeOwner(DWORD style, const RECT& place) {
  return ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED | style, place.left, place.top, place.right - place.left,
                           place.bottom - place.top, nullptr, nullptr, nullptr, nullptr);
}

void ExpectCentredIn(HWND dialog, const RECT& centre) {
  const RECT rect = RectOf(dialog);
  EXPECT_EQ(rect.left, (centre.left + centre.right) / 2 - 150);
  EXPECT_EQ(rect.top, (centre.top + centre.bottom) / 2 - 100);
  EXPECT_EQ(rect.right - rect.left, 300);
}

TEST(CenterDialogTest, WithoutOwnerInTheMiddleOfTheWorkArea) {
  Windows windows;
  windows.dialog = MakeDialog(nullptr);
  ASSERT_TRUE(CenterDialog(windows.dialog));
  ExpectCentredIn(windows.dialog, WorkArea());
}

TEST(CenterDialogTest, OverAVisibleOwner) {
  Windows windows;
  const RECT place{100, 120, 520, 420};
  windows.owner = MakeOwner(WS_VISIBLE, place);
  windows.dialog = MakeDialog(windows.owner);
  ASSERT_TRUE(CenterDialog(windows.dialog));
  ExpectCentredIn(windows.dialog, RectOf(windows.owner));
}

TEST(CenterDialogTest, AHiddenOrMinimisedOwnerCountsAsNone) {
  const RECT place{10, 10, 250, 150};
  for (DWORD style : {DWORD{0}, DWORD{WS_VISIBLE | WS_MINIMIZE}}) {
    Windows windows;
    windows.owner = MakeOwner(style, place);
    windows.dialog = MakeDialog(windows.owner);
    ASSERT_TRUE(CenterDialog(windows.dialog));
    ExpectCentredIn(windows.dialog, WorkArea());
  }
}

TEST(CenterDialogTest, AnOwnerAtTheEdgeKeepsTheDialogInTheWorkArea) {
  Windows windows;
  const RECT area = WorkArea();
  windows.owner = MakeOwner(WS_VISIBLE, {area.right - 100, area.bottom - 50, area.right + 100, area.bottom + 50});
  windows.dialog = MakeDialog(windows.owner);
  ASSERT_TRUE(CenterDialog(windows.dialog));
  const RECT rect = RectOf(windows.dialog);
  EXPECT_EQ(rect.right, area.right);
  EXPECT_EQ(rect.bottom, area.bottom);
}

}  // namespace

}  // namespace launcher::ui
