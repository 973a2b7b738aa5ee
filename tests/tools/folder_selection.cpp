#include "folder_selection.h"

#include <shellapi.h>
#include <shlobj.h>

#include <optional>

#include "listing.h"
#include "platform/handles.h"
#include "remote_buffer.h"
#include "tree_selection.h"

using namespace launcher;

namespace ui_driver {
namespace {

constexpr UINT kAnswerTimeoutMs = 5000;
constexpr DWORD kRetryIntervalMs = 100;

struct ItemIdListTraits {
  using Type = PIDLIST_ABSOLUTE;
  static Type Invalid() { return nullptr; }
  static void Close(Type list) { ::ILFree(list); }
};

using ItemIdList = platform::UniqueHandle<ItemIdListTraits>;

// The name under which the picker's tree shows the item.
std::wstring DisplayNameOf(PCIDLIST_ABSOLUTE list) {
  SHFILEINFOW info{};
  ::SHGetFileInfoW(reinterpret_cast<const wchar_t*>(list), 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_DISPLAYNAME);
  return info.szDisplayName;
}

// One BFFM_SETSELECTION with a fresh item id list. The picker takes the list
// only in its own memory (a path string sent from another process is ignored).
std::wstring SendSelection(HWND picker, const ItemIdList& list) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(picker, &processId);
  const UINT size = ::ILGetSize(list.Get());
  std::optional<RemoteBuffer> copy = RemoteBuffer::Allocate(processId, size);
  if (!copy || !copy->Write(0, list.Get(), size)) {
    return L"could not copy the item id list into the picker's process (error " + std::to_wstring(::GetLastError()) +
           L")";
  }
  DWORD_PTR ignored = 0;
  if (!::SendMessageTimeoutW(picker, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(copy->Address()),
                             SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &ignored)) {
    return L"the picker did not answer BFFM_SETSELECTION";
  }
  return L"";
}

}  // namespace

// The picker finds the folder by comparing item id lists byte for byte, and
// a folder's item holds its times, the last access among them; listing a
// folder can renew that time between the moment the driver makes the list and
// the moment the picker reads its tree. A second try, with the times settled,
// then succeeds.
std::wstring SelectFolderInPicker(HWND picker, const std::wstring& path, DWORD timeoutMs) {
  HWND tree = ::FindWindowExW(picker, nullptr, L"SysTreeView32", nullptr);
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  std::wstring wanted;
  std::optional<std::wstring> shown;
  for (;;) {
    ItemIdList list(::ILCreateFromPathW(path.c_str()));
    if (!list) return L"the shell has no item for " + path;
    std::wstring error = SendSelection(picker, list);
    if (!error.empty()) return error;
    wanted = DisplayNameOf(list.Get());
    shown = SelectedItemText(tree);
    if (shown == wanted) return L"";
    if (::GetTickCount64() >= deadline) break;
    ::Sleep(kRetryIntervalMs);
  }
  return L"the picker did not select " + Quote(wanted) + L"; it shows " + (shown ? Quote(*shown) : L"nothing");
}

}  // namespace ui_driver
