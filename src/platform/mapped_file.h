#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "platform/wide_string.h"

namespace platform {

// A whole file mapped read-only into memory; unmapped when the object goes.
class MappedFile {
 public:
  // nullptr when the file cannot be opened or mapped (an empty file cannot).
  static std::unique_ptr<MappedFile> Open(const WideString& path);
  virtual ~MappedFile() = default;

  // The file's bytes; valid while the object lives.
  virtual std::string_view Bytes() const = 0;
};

}  // namespace platform
