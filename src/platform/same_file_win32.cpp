#include "platform/same_file.h"

#include <optional>
#include <utility>

#include "platform/windows_api.h"

namespace platform {
namespace {

// The volume and the file's index on it.
std::optional<std::pair<DWORD, uint64_t>> FileKey(const WideString& path) {
  win32::File file(::CreateFileW(win32::LongPathForm(path).c_str(), 0,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION information;
  if (!file || !::GetFileInformationByHandle(file.Get(), &information)) return std::nullopt;
  return std::pair{information.dwVolumeSerialNumber,
                   (uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow};
}

}  // namespace

bool IsSameFile(const WideString& a, const WideString& b) {
  std::optional<std::pair<DWORD, uint64_t>> first = FileKey(a);
  return first && first == FileKey(b);
}

}  // namespace platform
