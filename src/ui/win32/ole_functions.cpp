#include "ui/win32/ole_functions.h"

#include <optional>

namespace ui::win32 {
namespace {

// From the system folder only. Windows 7 without its loader update knows no
// such flag; both libraries are known DLLs there, which come from the system
// folder whatever the search order.
HMODULE LoadSystemLibrary(const wchar_t* name) {
  HMODULE library = ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (library == nullptr && ::GetLastError() == ERROR_INVALID_PARAMETER) library = ::LoadLibraryW(name);
  return library;
}

template <typename Function>
bool Resolve(HMODULE library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
  return function != nullptr;
}

std::optional<OleFunctions> Resolve() {
  // Both stay loaded for the rest of the process, as COM expects.
  HMODULE ole32 = LoadSystemLibrary(L"ole32.dll");
  HMODULE oleaut32 = LoadSystemLibrary(L"oleaut32.dll");
  if (ole32 == nullptr || oleaut32 == nullptr) return std::nullopt;
  OleFunctions ole{};
  if (Resolve(ole32, "CoInitializeEx", ole.coInitializeEx) && Resolve(ole32, "CoUninitialize", ole.coUninitialize) &&
      Resolve(ole32, "CoCreateInstance", ole.coCreateInstance) &&
      Resolve(ole32, "CreateStreamOnHGlobal", ole.createStreamOnHGlobal) &&
      Resolve(oleaut32, "OleLoadPicture", ole.oleLoadPicture)) {
    return ole;
  }
  return std::nullopt;
}

}  // namespace

const OleFunctions* LoadOleFunctions() {
  static const std::optional<OleFunctions> functions = Resolve();
  return functions ? &*functions : nullptr;
}

ComApartment::ComApartment(const OleFunctions& ole)
    : ole_(ole), started_(SUCCEEDED(ole.coInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

ComApartment::~ComApartment() {
  if (started_) ole_.coUninitialize();
}

}  // namespace ui::win32
