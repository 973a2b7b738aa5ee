#pragma once

#include <cstdint>
#include <string>

#include "package/package_options.h"

namespace launcher::package {

// wixl stamps an installer with the time it ran and a random package code;
// this writes the package code and one fixed time (a FILETIME) into the
// summary information instead, so that the same inputs give the same bytes.
// The result goes to output; the input is left as it is.
PackageResult<bool> SetSummaryStamps(const std::string& input, const std::string& output,
                                     const std::string& packageCode, uint64_t fileTime);

}  // namespace launcher::package
