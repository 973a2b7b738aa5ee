#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/windows_api.h"

namespace ui_driver {

// One control of a dialog as another process sees it.
struct Control {
  HWND handle = nullptr;
  int id = 0;
  std::wstring className;
  std::optional<std::wstring> text;  // nothing when the control did not answer
  bool enabled = false;
  bool visible = false;
};

// The dialog's own controls (not the windows inside them), in z-order: for a
// dialog made from a template, the template's order.
std::vector<Control> ReadControls(HWND dialog);

std::optional<Control> FindControl(HWND dialog, int id);

}  // namespace ui_driver
