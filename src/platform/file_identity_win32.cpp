#include "platform/file_identity.h"

#include "platform/windows_api.h"

namespace platform {
namespace {

// FILETIME counts 100 ns from 1601; this many of them lie before 1970.
constexpr int64_t kIntervalsBefore1970 = 116444736000000000;

}  // namespace

FileIdentity QueryFileIdentity(const WideString& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(win32::LongPathForm(path).c_str(), GetFileExInfoStandard, &data)) return {};
  const uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  const uint64_t written =
      (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
  return {true, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0, size,
          (static_cast<int64_t>(written) - kIntervalsBefore1970) * 100};
}

}  // namespace platform
