#pragma once

// Every Win32 handle the launcher owns, each as a move-only owner that
// releases it the way its kind requires. Windows code only.
#include "platform/unique_handle.h"
#include "platform/windows_api.h"

namespace platform::win32 {

// A file opened with CreateFileW (invalid: INVALID_HANDLE_VALUE).
struct FileTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type handle) { ::CloseHandle(handle); }
};
using File = UniqueHandle<FileTraits>;

// A search of FindFirstFileW.
struct FindTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type handle) { ::FindClose(handle); }
};
using FindSearch = UniqueHandle<FindTraits>;

// A file mapping (invalid: null).
struct MappingTraits {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type handle) { ::CloseHandle(handle); }
};
using Mapping = UniqueHandle<MappingTraits>;

// A view of a file mapping.
struct ViewTraits {
  using Type = const void*;
  static Type Invalid() { return nullptr; }
  static void Close(Type view) { ::UnmapViewOfFile(view); }
};
using MappedView = UniqueHandle<ViewTraits>;

// A view of a file mapping that is written to.
struct WritableViewTraits {
  using Type = void*;
  static Type Invalid() { return nullptr; }
  static void Close(Type view) { ::UnmapViewOfFile(view); }
};
using WritableMappedView = UniqueHandle<WritableViewTraits>;

// A mutex that the calling thread owns (from a successful wait): released, not
// closed; the handle itself is owned elsewhere.
struct MutexOwnershipTraits {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type mutex) { ::ReleaseMutex(mutex); }
};
using MutexOwnership = UniqueHandle<MutexOwnershipTraits>;

// An open registry key.
struct RegistryKeyTraits {
  using Type = HKEY;
  static Type Invalid() { return nullptr; }
  static void Close(Type key) { ::RegCloseKey(key); }
};
using RegistryKeyHandle = UniqueHandle<RegistryKeyTraits>;

// A GDI object made by Create... (bitmap, brush).
struct GdiObjectTraits {
  using Type = HGDIOBJ;
  static Type Invalid() { return nullptr; }
  static void Close(Type object) { ::DeleteObject(object); }
};
using GdiObject = UniqueHandle<GdiObjectTraits>;

// A memory device context of CreateCompatibleDC.
struct MemoryDcTraits {
  using Type = HDC;
  static Type Invalid() { return nullptr; }
  static void Close(Type dc) { ::DeleteDC(dc); }
};
using MemoryDc = UniqueHandle<MemoryDcTraits>;

// The screen's device context, of GetDC(nullptr).
struct ScreenDcTraits {
  using Type = HDC;
  static Type Invalid() { return nullptr; }
  static void Close(Type dc) { ::ReleaseDC(nullptr, dc); }
};
using ScreenDc = UniqueHandle<ScreenDcTraits>;

// A block of GlobalAlloc.
struct GlobalMemoryTraits {
  using Type = HGLOBAL;
  static Type Invalid() { return nullptr; }
  static void Close(Type block) { ::GlobalFree(block); }
};
using GlobalMemory = UniqueHandle<GlobalMemoryTraits>;

// A window that its owner destroys, on the thread that made it.
struct WindowTraits {
  using Type = HWND;
  static Type Invalid() { return nullptr; }
  static void Close(Type window) { ::DestroyWindow(window); }
};
using Window = UniqueHandle<WindowTraits>;

// One reference to a COM object.
template <typename Interface>
struct ComReferenceTraits {
  using Type = Interface*;
  static Type Invalid() { return nullptr; }
  static void Close(Type object) { object->Release(); }
};
template <typename Interface>
using ComReference = UniqueHandle<ComReferenceTraits<Interface>>;

// A font made with CreateFontIndirectW.
struct FontTraits {
  using Type = HFONT;
  static Type Invalid() { return nullptr; }
  static void Close(Type font) { ::DeleteObject(font); }
};
using Font = UniqueHandle<FontTraits>;

// Memory the shell or COM allocated for us (an item id list, a path). The
// launcher does not link ole32 (a start without a dialog never loads it); who
// holds such memory has it loaded.
struct CoTaskMemoryTraits {
  using Type = void*;
  static Type Invalid() { return nullptr; }
  static void Close(Type memory) {
    using Free = void(WINAPI*)(void*);
    auto free = reinterpret_cast<Free>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ole32.dll"), "CoTaskMemFree")));
    if (free != nullptr) free(memory);
  }
};
using CoTaskMemory = UniqueHandle<CoTaskMemoryTraits>;

// A session, connection or request of WinHTTP, which the launcher loads only
// for a download: who holds such a handle has it loaded.
struct InternetTraits {
  using Type = void*;
  static Type Invalid() { return nullptr; }
  static void Close(Type handle) {
    using CloseHandle = BOOL(WINAPI*)(void*);
    auto close = reinterpret_cast<CloseHandle>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"winhttp.dll"), "WinHttpCloseHandle")));
    if (close != nullptr) close(handle);
  }
};
using InternetHandle = UniqueHandle<InternetTraits>;

}  // namespace platform::win32
