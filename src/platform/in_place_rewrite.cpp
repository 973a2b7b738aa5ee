#include "platform/in_place_rewrite.h"

#include <algorithm>

namespace platform {
namespace {

size_t FirstDifference(std::string_view a, std::string_view b) {
  return static_cast<size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
}

}  // namespace

bool RewriteInPlace(std::string_view old, std::string_view wanted, const OpenFileWriter& file) {
  if (wanted.size() > old.size()) {
    if (!file.writeAt(old.size(), wanted.substr(old.size())) || !file.flush()) {
      file.truncate(old.size());
      return false;
    }
  }
  const size_t from = FirstDifference(old, wanted);
  const size_t overlap = std::min(old.size(), wanted.size());
  if (from < overlap && (!file.writeAt(from, wanted.substr(from, overlap - from)) || !file.flush())) {
    file.writeAt(from, old.substr(from, overlap - from));
    file.truncate(old.size());
    file.flush();
    return false;
  }
  if (wanted.size() < old.size() && !file.truncate(wanted.size())) return false;
  return file.flush();
}

}  // namespace platform
