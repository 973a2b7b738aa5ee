#include "platform/append_file.h"

#include "platform/windows_api.h"

namespace platform {
namespace {

class Win32AppendFile final : public AppendFile {
 public:
  explicit Win32AppendFile(win32::File file) : file_(std::move(file)) {}

  bool Append(std::string_view bytes) override {
    DWORD written = 0;
    return ::WriteFile(file_.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
  }

 private:
  win32::File file_;
};

}  // namespace

std::unique_ptr<AppendFile> AppendFile::Open(const WideString& path) {
  // Append access alone makes every write land at the end, whoever else writes.
  win32::File file(::CreateFileW(win32::LongPathForm(path).c_str(), FILE_APPEND_DATA,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return nullptr;
  return std::make_unique<Win32AppendFile>(std::move(file));
}

}  // namespace platform
