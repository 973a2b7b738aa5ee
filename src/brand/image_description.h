#pragma once

#include <string>
#include <string_view>

#include "brand/brand_result.h"

namespace launcher::brand {

// What a launcher image carries, as lines of text (UTF-8) for --show: the
// subsystem, the execution level, whether it is signed, the version fields,
// the icon's sizes and the built-in settings' text.
BrandResult<std::string> DescribeImage(std::string_view file);

}  // namespace launcher::brand
