#include "platform/builtin_settings_resource.h"

#include <string_view>

#include "platform/text.h"
#include "platform/windows_api.h"
#include "resource_ids.h"

namespace platform {

std::optional<WideString> LoadBuiltinSettingsText() {
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC resource = ::FindResourceW(module, TEXT(BUILTIN_SETTINGS_RESOURCE_NAME), RT_RCDATA);
  if (resource == nullptr) return std::nullopt;
  HGLOBAL loaded = ::LoadResource(module, resource);
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (data == nullptr) return std::nullopt;
  return DecodeText(std::string_view(static_cast<const char*>(data), ::SizeofResource(module, resource)));
}

}  // namespace platform
