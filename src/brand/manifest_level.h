#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "brand/brand_result.h"

namespace launcher::brand {

// The execution level an application manifest requests.
enum class ExecutionLevel { AsInvoker, HighestAvailable, RequireAdministrator };

std::optional<ExecutionLevel> ParseExecutionLevel(std::string_view text);
const char* ExecutionLevelName(ExecutionLevel level);

// The level attribute of the requestedExecutionLevel element, or nullopt.
std::optional<std::string> RequestedExecutionLevel(std::string_view manifest);

// The manifest with that attribute's value replaced; every other byte kept.
BrandResult<std::string> WithExecutionLevel(std::string_view manifest, ExecutionLevel level);

}  // namespace launcher::brand
