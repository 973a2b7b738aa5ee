#include "platform/file_identity.h"

#include <sys/stat.h>

#include "platform/text.h"

namespace platform {

FileIdentity QueryFileIdentity(const WideString& path) {
  struct stat info;
  if (::stat(ToUtf8(path).c_str(), &info) != 0) return {};
  constexpr int64_t kNanoseconds = 1000000000;
  return {true, S_ISREG(info.st_mode), static_cast<uint64_t>(info.st_size),
          static_cast<int64_t>(info.st_mtim.tv_sec) * kNanoseconds + info.st_mtim.tv_nsec};
}

}  // namespace platform
