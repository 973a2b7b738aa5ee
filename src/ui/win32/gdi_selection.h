#pragma once

#include "platform/windows_api.h"

namespace launcher::ui::win32 {

// An object selected into a device context, put back out when this goes.
class GdiSelection {
 public:
  GdiSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~GdiSelection() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }
  GdiSelection(const GdiSelection&) = delete;
  GdiSelection& operator=(const GdiSelection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace launcher::ui::win32
