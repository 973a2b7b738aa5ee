#include "platform/files.h"

#include <algorithm>

namespace launcher::platform {
namespace {

size_t FirstDifference(std::string_view a, std::string_view b) {
  return static_cast<size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
}

}  // namespace

bool IsNotFound(SystemError error) { return ClassifyFileFailure(error) == FileFailure::NotFound; }

SystemStatus RewriteInPlace(std::string_view old, std::string_view wanted, const OpenFileWriter& file) {
  if (wanted.size() > old.size()) {
    SystemStatus grown = file.writeAt(old.size(), wanted.substr(old.size()));
    if (grown) grown = file.flush();
    if (!grown) {
      file.truncate(old.size());
      return grown;
    }
  }
  const size_t from = FirstDifference(old, wanted);
  const size_t overlap = std::min(old.size(), wanted.size());
  if (from < overlap) {
    SystemStatus changed = file.writeAt(from, wanted.substr(from, overlap - from));
    if (changed) changed = file.flush();
    if (!changed) {
      file.writeAt(from, old.substr(from, overlap - from));
      file.truncate(old.size());
      file.flush();
      return changed;
    }
  }
  if (wanted.size() < old.size()) {
    if (SystemStatus cut = file.truncate(wanted.size()); !cut) return cut;
  }
  return file.flush();
}

}  // namespace launcher::platform
