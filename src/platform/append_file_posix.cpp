#include "platform/append_file.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/posix_api.h"
#include "platform/text.h"

namespace platform {
namespace {

class PosixAppendFile final : public AppendFile {
 public:
  explicit PosixAppendFile(posix::Descriptor descriptor) : descriptor_(std::move(descriptor)) {}

  bool Append(std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t written = ::write(descriptor_.Get(), bytes.data(), bytes.size());
      if (written <= 0) return false;
      bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
  }

 private:
  posix::Descriptor descriptor_;
};

}  // namespace

std::unique_ptr<AppendFile> AppendFile::Open(const WideString& path) {
  posix::Descriptor descriptor(::open(ToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666));
  if (!descriptor) return nullptr;
  return std::make_unique<PosixAppendFile>(std::move(descriptor));
}

}  // namespace platform
