#include "platform/string_resource.h"

#include "platform/windows_api.h"

namespace platform {

int LoadResourceString(uint32_t id, wchar_t* buffer, int size) {
  return ::LoadStringW(::GetModuleHandleW(nullptr), id, buffer, size);
}

}  // namespace platform
