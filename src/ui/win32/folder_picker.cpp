#include "ui/win32/folder_picker.h"

#include "platform/windows_api.h"

namespace launcher::ui::win32 {
namespace {

// BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON
constexpr UINT kPickerFlags = 0x241;

// SHGetPathFromIDListW stops at MAX_PATH characters; this does not.
WideString PathOf(const ShellFunctions& shell, PCIDLIST_ABSOLUTE item) {
  PWSTR path = nullptr;
  if (FAILED(shell.nameFromIdList(item, SIGDN_FILESYSPATH, &path))) return {};
  const platform::win32::CoTaskMemory owned(path);
  return path;
}

}  // namespace

std::optional<WideString> PickFolder(const ShellFunctions& shell, HWND owner, const WideString& title) {
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = title.c_str();
  info.ulFlags = kPickerFlags;
  const platform::win32::CoTaskMemory chosen(shell.browseForFolder(&info));
  if (!chosen) return std::nullopt;
  return PathOf(shell, static_cast<PCIDLIST_ABSOLUTE>(chosen.Get()));
}

}  // namespace launcher::ui::win32
