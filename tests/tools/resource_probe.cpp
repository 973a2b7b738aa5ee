// resource_probe FILE [SIZE...]: reads a program's resources the way Windows
// does, for the branding scenarios. Prints its version fields
// (GetFileVersionInfoW/VerQueryValueW), the built-in settings' size
// (FindResourceW), how many icons ExtractIconExW finds, and for each SIZE the
// icon image LookupIconIdFromDirectoryEx picks for it and what LoadImageW loads.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

void PrintVersion(const wchar_t* file) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(file, &ignored);
  std::vector<char> data(size);
  if (size == 0 || !::GetFileVersionInfoW(file, 0, size, data.data())) {
    std::printf("version none\n");
    return;
  }
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed != nullptr) {
    std::printf("fixed file=%d.%d.%d.%d product=%d.%d.%d.%d\n", HIWORD(fixed->dwFileVersionMS),
                LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS),
                HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
                HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS));
  }
  const wchar_t* names[] = {L"Comments",        L"CompanyName",      L"FileDescription", L"FileVersion",
                            L"InternalName",    L"LegalCopyright",   L"LegalTrademarks", L"OriginalFilename",
                            L"ProductName",     L"ProductVersion"};
  for (const wchar_t* name : names) {
    std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    wchar_t* value = nullptr;
    if (::VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) && length > 0) {
      char utf8[4096];
      const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, value, -1, utf8, sizeof utf8, nullptr, nullptr);
      std::printf("version %ls=%s\n", name, bytes > 0 ? utf8 : "?");
    }
  }
}

void PrintIcon(HMODULE module, int size) {
  HRSRC group = ::FindResourceW(module, MAKEINTRESOURCEW(100), RT_GROUP_ICON);
  BYTE* directory = group ? static_cast<BYTE*>(::LockResource(::LoadResource(module, group))) : nullptr;
  const int id = directory ? ::LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR) : 0;
  HRSRC image = id ? ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_ICON) : nullptr;
  HICON icon = static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(100), IMAGE_ICON, size, size, 0));
  int loaded = 0;
  ICONINFO info{};
  if (icon && ::GetIconInfo(icon, &info)) {
    BITMAP bitmap{};
    ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    loaded = bitmap.bmWidth;
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
  }
  if (icon) ::DestroyIcon(icon);
  std::printf("icon size=%d id=%d bytes=%lu loaded=%d\n", size, id, image ? ::SizeofResource(module, image) : 0, loaded);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: resource_probe FILE [SIZE...]\n");
    return 2;
  }
  PrintVersion(argv[1]);
  HMODULE module = ::LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) {
    std::printf("load failed error=%lu\n", ::GetLastError());
    return 1;
  }
  HRSRC settings = ::FindResourceW(module, L"SETTINGS", RT_RCDATA);
  std::printf("settings bytes=%lu\n", settings ? ::SizeofResource(module, settings) : 0);
  HICON large = nullptr;
  HICON small = nullptr;
  const UINT extracted = ::ExtractIconExW(argv[1], 0, &large, &small, 1);
  std::printf("extracted count=%u large=%d small=%d\n", extracted, large != nullptr, small != nullptr);
  if (large) ::DestroyIcon(large);
  if (small) ::DestroyIcon(small);
  for (int i = 2; i < argc; ++i) PrintIcon(module, _wtoi(argv[i]));
  ::FreeLibrary(module);
  return 0;
}
