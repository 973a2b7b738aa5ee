#include "tree_selection.h"

#include <commctrl.h>

#include "remote_buffer.h"

namespace ui_driver {
namespace {

constexpr UINT kAnswerTimeoutMs = 2000;
constexpr int kTextCapacity = 1024;

std::optional<LRESULT> Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

}  // namespace

std::optional<std::wstring> SelectedItemText(HWND tree) {
  std::optional<LRESULT> item = Ask(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
  if (!item || *item == 0) return std::nullopt;
  DWORD processId = 0;
  ::GetWindowThreadProcessId(tree, &processId);
  // The tree fills in a TVITEMW and its text in the caller's memory: both go
  // into one block in the tree's process, the text right after the item.
  std::optional<RemoteBuffer> block =
      RemoteBuffer::Allocate(processId, sizeof(TVITEMW) + kTextCapacity * sizeof(wchar_t));
  if (!block) return std::nullopt;
  TVITEMW request{};
  request.mask = TVIF_TEXT;
  request.hItem = reinterpret_cast<HTREEITEM>(*item);
  request.pszText = static_cast<wchar_t*>(block->Address(sizeof(TVITEMW)));
  request.cchTextMax = kTextCapacity;
  if (!block->Write(0, &request, sizeof(request))) return std::nullopt;
  std::optional<LRESULT> answered = Ask(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(block->Address()));
  if (!answered || !*answered) return std::nullopt;
  std::wstring text(kTextCapacity, L'\0');
  if (!block->Read(sizeof(TVITEMW), text.data(), text.size() * sizeof(wchar_t))) return std::nullopt;
  text.resize(text.find(L'\0') == std::wstring::npos ? text.size() : text.find(L'\0'));
  return text;
}

}  // namespace ui_driver
