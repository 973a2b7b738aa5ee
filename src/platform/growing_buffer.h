#pragma once

#include <cstddef>

#include "platform/wide_string.h"

namespace platform {

// Reads a text through a function that, like most system functions, copies at
// most size - 1 characters into a buffer and returns how many it copied. A
// result within slack characters of the buffer's end may have been cut, so the
// buffer doubles and the call is repeated until the text fits.
template <typename ReadFunction>
WideString ReadIntoGrowingBuffer(ReadFunction read, size_t slack) {
  WideString buffer(256, L'\0');
  for (;;) {
    size_t length = read(buffer.data(), buffer.size());
    if (length + slack < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace platform
