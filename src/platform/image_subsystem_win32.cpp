#include "platform/image_subsystem.h"

#include "platform/windows_api.h"

namespace platform {

// The image is mapped as the loader checked it: the DOS header leads to the
// NT headers, whose optional header names the subsystem.
ImageSubsystem OwnImageSubsystem() {
  const auto* base = reinterpret_cast<const BYTE*>(::GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  return nt->OptionalHeader.Subsystem == IMAGE_SUBSYSTEM_WINDOWS_CUI ? ImageSubsystem::Console
                                                                     : ImageSubsystem::Windowed;
}

}  // namespace platform
