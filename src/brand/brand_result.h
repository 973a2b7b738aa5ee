#pragma once

#include <string>

#include "platform/expected.h"

namespace launcher::brand {

// Why branding cannot go on: a sentence for the publisher, in UTF-8, that the
// tool prefixes with the file it is about.
struct BrandError {
  std::string message;
};

// A branding step's value, or why there is none.
template <typename T>
using BrandResult = platform::Expected<T, BrandError>;

}  // namespace launcher::brand
