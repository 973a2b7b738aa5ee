#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace launcher::jvm {

// The file names of the DLLs that a PE image imports (its import directory),
// in the image's order, as the image writes them. Anything that is not a
// well-formed PE image imports nothing as far as this can tell: nothing is
// read outside the bytes given.
std::vector<std::string> ImportedLibraries(std::string_view image);

}  // namespace launcher::jvm
