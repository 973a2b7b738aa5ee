#pragma once

#include "platform/handles.h"
#include "platform/windows_api.h"

namespace ui_driver {

struct ProcessHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type handle) { ::CloseHandle(handle); }
};

// A handle from OpenProcess.
using ProcessHandle = launcher::platform::UniqueHandle<ProcessHandleTraits>;

}  // namespace ui_driver
