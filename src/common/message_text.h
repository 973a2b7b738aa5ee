#pragma once

#include <vector>

#include "common/launch_error.h"
#include "platform/wide_string.h"
#include "string_ids.h"

namespace launcher {

// The texts the user sees come from the one string table; these load and fill them.

// The text of a string-table entry, whole; empty when the id is missing.
WideString LoadStringText(StringId id);

// The format with each %s and %d replaced by the next argument, in order (%d in
// decimal; a string id argument is loaded); %% gives one %. A missing argument
// leaves the placeholder empty.
WideString FormatText(const WideString& format, const std::vector<MessageArgument>& arguments);

// The string of id formatted with the arguments.
WideString LoadFormatted(StringId id, const std::vector<MessageArgument>& arguments);

// The message of an error, as the user is to read it.
WideString MessageOf(const LaunchError& error);

}  // namespace launcher
