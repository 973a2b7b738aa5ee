#pragma once

#include <string>
#include <vector>

#include "package/package_options.h"

namespace launcher::package {

struct ZipMember {
  std::string name;  // '/'-separated, UTF-8
  std::string bytes;
};

// A zip archive of the members in the order given, each deflated, dated
// 1980-01-01 00:00 and without owner or permissions, so that the same
// members always give the same bytes. Archives past the classic format's
// limits (4 GB, 65535 members) are refused: there is no ZIP64 here.
PackageResult<std::string> ZipArchive(const std::vector<ZipMember>& members);

}  // namespace launcher::package
