#pragma once

#include "platform/handles.h"
#include "platform/windows_api.h"

namespace ui_driver {

// The device context of the whole screen, from GetDC(nullptr).
struct ScreenDcTraits {
  using Type = HDC;
  static Type Invalid() { return nullptr; }
  static void Close(Type dc) { ::ReleaseDC(nullptr, dc); }
};

// A device context made with CreateCompatibleDC.
struct MemoryDcTraits {
  using Type = HDC;
  static Type Invalid() { return nullptr; }
  static void Close(Type dc) { ::DeleteDC(dc); }
};

struct GdiObjectTraits {
  using Type = HGDIOBJ;
  static Type Invalid() { return nullptr; }
  static void Close(Type object) { ::DeleteObject(object); }
};

using ScreenDc = launcher::platform::UniqueHandle<ScreenDcTraits>;
using MemoryDc = launcher::platform::UniqueHandle<MemoryDcTraits>;
using GdiObject = launcher::platform::UniqueHandle<GdiObjectTraits>;

// Keeps an object selected into a device context for its lifetime; the DC's
// previous object goes back in before either is deleted.
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~ScopedSelection() { ::SelectObject(dc_, previous_); }
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace ui_driver
