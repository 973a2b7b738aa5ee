#include "ui/win32/ole_functions.h"

#include <optional>

#include "ui/win32/system_library.h"

namespace ui::win32 {
namespace {

std::optional<OleFunctions> Resolve() {
  // Both stay loaded for the rest of the process, as COM expects.
  HMODULE ole32 = LoadSystemLibrary(L"ole32.dll");
  HMODULE oleaut32 = LoadSystemLibrary(L"oleaut32.dll");
  if (ole32 == nullptr || oleaut32 == nullptr) return std::nullopt;
  OleFunctions ole{};
  if (ResolveFunction(ole32, "CoInitializeEx", ole.coInitializeEx) &&
      ResolveFunction(ole32, "CoUninitialize", ole.coUninitialize) &&
      ResolveFunction(ole32, "CoCreateInstance", ole.coCreateInstance) &&
      ResolveFunction(ole32, "CreateStreamOnHGlobal", ole.createStreamOnHGlobal) &&
      ResolveFunction(oleaut32, "OleLoadPicture", ole.oleLoadPicture)) {
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
