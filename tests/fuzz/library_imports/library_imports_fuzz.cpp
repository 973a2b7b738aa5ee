// The import table of a JVM library on any bytes (a file in a folder that a
// registry key names): nothing is read outside the bytes, and every name read
// is a name, not the rest of the file.
#include <cstdint>

#include "fuzz_check.h"
#include "jvm/library_imports.h"

using namespace launcher;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view image = fuzz::Bytes(data, size);
  for (const std::string& name : jvm::ImportedLibraries(image)) {
    fuzz::Check(!name.empty(), "an imported name is not empty");
    fuzz::Check(name.find('\0') == std::string::npos, "an imported name ends at its NUL");
    fuzz::Check(name.size() < size, "an imported name lies within the image");
  }
  return 0;
}
