#include "ui/win32/ole_functions.h"

#include <optional>

#include "platform/library.h"

namespace launcher::ui::win32 {
namespace {

std::optional<OleFunctions> Resolve() {
  // Both stay loaded for the rest of the process, as COM expects.
  void* ole32 = platform::LoadSystemLibrary(L"ole32.dll").value_or(nullptr);
  void* oleaut32 = platform::LoadSystemLibrary(L"oleaut32.dll").value_or(nullptr);
  if (ole32 == nullptr || oleaut32 == nullptr) return std::nullopt;
  OleFunctions ole{};
  if (platform::BindExport(ole32, "CoInitializeEx", ole.coInitializeEx) &&
      platform::BindExport(ole32, "CoUninitialize", ole.coUninitialize) &&
      platform::BindExport(ole32, "CoCreateInstance", ole.coCreateInstance) &&
      platform::BindExport(ole32, "CreateStreamOnHGlobal", ole.createStreamOnHGlobal) &&
      platform::BindExport(oleaut32, "OleLoadPicture", ole.oleLoadPicture)) {
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

}  // namespace launcher::ui::win32
