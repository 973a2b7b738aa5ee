#include "dialog_controls.h"

#include "window_text.h"

namespace ui_driver {
namespace {

struct Collection {
  HWND dialog;
  std::vector<HWND> children;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
  auto* collection = reinterpret_cast<Collection*>(data);
  // Combo boxes and the like have windows of their own inside: only direct children count.
  if (::GetAncestor(window, GA_PARENT) == collection->dialog) collection->children.push_back(window);
  return TRUE;
}

Control Describe(HWND window) {
  return Control{window,
                 ::GetDlgCtrlID(window),
                 ClassNameOf(window),
                 ReadWindowText(window),
                 ::IsWindowEnabled(window) != FALSE,
                 ::IsWindowVisible(window) != FALSE};
}

}  // namespace

std::vector<Control> ReadControls(HWND dialog) {
  Collection collection{dialog, {}};
  ::EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&collection));
  std::vector<Control> controls;
  for (HWND child : collection.children) controls.push_back(Describe(child));
  return controls;
}

std::optional<Control> FindControl(HWND dialog, int id) {
  for (const Control& control : ReadControls(dialog)) {
    if (control.id == id) return control;
  }
  return std::nullopt;
}

}  // namespace ui_driver
