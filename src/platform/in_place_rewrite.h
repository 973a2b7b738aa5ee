#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace platform {

// The operations of one open file that rewriting it in place needs; each says
// whether it succeeded.
struct OpenFileWriter {
  std::function<bool(uint64_t offset, std::string_view bytes)> writeAt;
  std::function<bool(uint64_t size)> truncate;
  std::function<bool()> flush;  // to the disk
};

// Turns a file that holds old into one that holds wanted, for when no new file
// can be made beside it. What the file gains is written first, beyond its old
// end, so that a full disk shows before any old byte has changed; then only the
// bytes from the first difference on are overwritten; only then is the file
// cut. A failure puts the old bytes back as far as the file lets it, and
// returns false.
bool RewriteInPlace(std::string_view old, std::string_view wanted, const OpenFileWriter& file);

}  // namespace platform
