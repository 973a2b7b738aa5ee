#pragma once

// The one place that includes <windows.h>, with the settings every file needs,
// and what the Windows code shares beside it: the owners of every Win32 handle
// the launcher holds, each releasing its handle the way its kind requires, and
// the long-path rule of the file functions. Windows code only.
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601
#endif

#include <windows.h>

#include "platform/expected.h"
#include "platform/handles.h"
#include "platform/wide_string.h"

namespace launcher::platform::win32 {

// A kernel object closed with CloseHandle: thread, process, event, file mapping
// (invalid: null).
struct KernelTraits {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type handle) { ::CloseHandle(handle); }
};
using KernelHandle = UniqueHandle<KernelTraits>;

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

// A file mapping, one kind of kernel object.
using Mapping = KernelHandle;

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

// The error of the Win32 call that just failed.
inline SystemError LastError() { return {::GetLastError()}; }

// The one long-path rule of the file functions: a path of MAX_PATH characters
// or more is made full and normalised (".", ".." and "/" resolved, which the
// prefix would turn off), then prefixed with \\?\ (\\?\UNC\ for a network
// path). Shorter paths are passed as they are. Defined with the file functions
// (files_win32.cpp).
WideString LongPathForm(const WideString& path);

// For the functions that take no path of MAX_PATH characters or more, not even
// with the prefix (under Wine the profile functions, and ReplaceFileW, which
// overruns a buffer there): such a path in its short form, the same file; for
// a file yet to be made, its folder's short form. Shorter paths, and those
// without a short form that fits, are passed as LongPathForm gives them.
WideString ShortPathForm(const WideString& path);

}  // namespace launcher::platform::win32
