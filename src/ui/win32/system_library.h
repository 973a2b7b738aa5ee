#pragma once

#include "platform/windows_api.h"

namespace ui::win32 {

// A library of the system, from the system folder only (never from a folder
// the user started in); it stays loaded for the rest of the process.
HMODULE LoadSystemLibrary(const wchar_t* name);

// Looks a function up in a library; false when it has none of that name.
template <typename Function>
bool ResolveFunction(HMODULE library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
  return function != nullptr;
}

}  // namespace ui::win32
