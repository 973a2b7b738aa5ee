#include "fixture_picker.h"

#include <shlobj.h>

#include <string>

#include "fixture_output.h"

namespace window_fixture {
namespace {

constexpr UINT kPickerFlags = 0x241;

// The picker in the new dialog style needs OLE on its thread.
class OleSession {
 public:
  OleSession() : ok_(SUCCEEDED(::OleInitialize(nullptr))) {}
  ~OleSession() {
    if (ok_) ::OleUninitialize();
  }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

 private:
  bool ok_;
};

}  // namespace

int RunPicker() {
  OleSession ole;
  BROWSEINFOW info{};
  info.lpszTitle = L"Choose a folder";
  info.ulFlags = kPickerFlags;
  PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&info);
  if (!chosen) {
    Say(L"picked none");
    return 0;
  }
  wchar_t path[MAX_PATH] = {};
  const bool named = ::SHGetPathFromIDListW(chosen, path) != FALSE;
  ::CoTaskMemFree(chosen);
  Say(named ? L"picked path=" + std::wstring(path) : L"picked no-path");
  return named ? 0 : 1;
}

}  // namespace window_fixture
