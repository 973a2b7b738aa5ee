#pragma once

#include <optional>
#include <span>
#include <vector>

#include "platform/windows_api.h"
#include "ui/resize_placement.h"

namespace launcher::ui::win32 {

// Lets a dialog be resized with a size grip while its controls follow their
// rules: it keeps where each control was at the start and places it anew on
// every WM_SIZE; the dialog cannot be made smaller than it was at the start.
class DialogResizer {
 public:
  // Once, at the end of WM_INITDIALOG, with the dialog's resize map in order.
  void Init(HWND dialog, std::span<const resize::Rule> map);

  // WM_SIZE and WM_GETMINMAXINFO: the result (0) when handled.
  std::optional<INT_PTR> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  struct Entry {
    int32_t id;
    uint32_t flags;
    LayoutRect rect;  // at the start, in the dialog's client coordinates
  };

  void AddEntry(int32_t id, uint32_t flags);
  void OnSize(WPARAM type, LayoutSize client);
  void UpdateLayout(LayoutSize client);
  void Place(const Entry& entry, LayoutSize client);

  HWND dialog_ = nullptr;
  std::vector<Entry> entries_;
  LayoutSize initialClient_;
  POINT minimumTrack_{-1, -1};
  bool grip_ = false;
};

}  // namespace launcher::ui::win32
