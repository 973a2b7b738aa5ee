#include "platform/mapped_file.h"

#include "platform/windows_api.h"

namespace platform {
namespace {

class Win32MappedFile final : public MappedFile {
 public:
  Win32MappedFile(win32::File file, win32::Mapping mapping, win32::MappedView view, size_t size)
      : file_(std::move(file)), mapping_(std::move(mapping)), view_(std::move(view)), size_(size) {}

  std::string_view Bytes() const override { return std::string_view(static_cast<const char*>(view_.Get()), size_); }

 private:
  // Declared in opening order, so they close view first, then mapping, then file.
  win32::File file_;
  win32::Mapping mapping_;
  win32::MappedView view_;
  size_t size_;
};

}  // namespace

std::unique_ptr<MappedFile> MappedFile::Open(const WideString& path) {
  win32::File file(::CreateFileW(win32::LongPathForm(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return nullptr;
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart == 0) return nullptr;
  win32::Mapping mapping(::CreateFileMappingW(file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping) return nullptr;
  win32::MappedView view(::MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0));
  if (!view) return nullptr;
  return std::make_unique<Win32MappedFile>(std::move(file), std::move(mapping), std::move(view),
                                           static_cast<size_t>(size.QuadPart));
}

}  // namespace platform
