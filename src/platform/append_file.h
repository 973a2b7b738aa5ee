#pragma once

#include <memory>
#include <string_view>

#include "platform/wide_string.h"

namespace platform {

// A file opened to have lines added at its end, by this process and any other
// at the same time; closed when the object goes.
class AppendFile {
 public:
  // Opens the file, creating it when missing; nullptr when it cannot be (its
  // folder is missing, it is a folder, access is denied).
  static std::unique_ptr<AppendFile> Open(const WideString& path);
  virtual ~AppendFile() = default;

  // Adds the bytes at the end in one write, so that the lines of several writers
  // do not mix; false when they could not all be written.
  virtual bool Append(std::string_view bytes) = 0;
};

}  // namespace platform
