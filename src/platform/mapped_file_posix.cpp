#include "platform/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix_api.h"
#include "platform/text.h"

namespace platform {
namespace {

class PosixMappedFile final : public MappedFile {
 public:
  PosixMappedFile(void* address, size_t size) : address_(address), size_(size) {}
  ~PosixMappedFile() override { ::munmap(address_, size_); }

  std::string_view Bytes() const override { return std::string_view(static_cast<const char*>(address_), size_); }

 private:
  void* address_;
  size_t size_;
};

}  // namespace

std::unique_ptr<MappedFile> MappedFile::Open(const WideString& path) {
  posix::Descriptor descriptor(::open(ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC));
  if (!descriptor) return nullptr;
  struct stat info;
  if (::fstat(descriptor.Get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0) return nullptr;
  size_t size = static_cast<size_t>(info.st_size);
  void* address = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor.Get(), 0);
  if (address == MAP_FAILED) return nullptr;
  return std::make_unique<PosixMappedFile>(address, size);
}

}  // namespace platform
