#include "platform/same_file.h"

#include <sys/stat.h>

#include "platform/text.h"

namespace platform {

bool IsSameFile(const WideString& a, const WideString& b) {
  struct stat first {};
  struct stat second {};
  if (::stat(ToUtf8(a).c_str(), &first) != 0 || ::stat(ToUtf8(b).c_str(), &second) != 0) return false;
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace platform
