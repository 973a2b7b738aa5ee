// The single-instance argument area on any bytes (a block another process
// wrote): reading accepts them all, gives arguments without a NUL, and a list
// that the layout can carry reads back from its own area unchanged.
#include <cstdint>

#include "fuzz_check.h"
#include "instance/argument_area.h"

using namespace launcher;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const WideStringList arguments = instance::DecodeArgumentArea(fuzz::Bytes(data, size));
  for (const WideString& argument : arguments) {
    fuzz::Check(argument.find(L'\0') == WideString::npos, "an argument holds no NUL", argument);
  }
  const std::optional<std::string> area = instance::EncodeArgumentArea(arguments);
  if (!area) return 0;
  fuzz::Check(area->size() == instance::kArgumentAreaSize, "an area is exactly its size");
  fuzz::Check(instance::DecodeArgumentArea(*area) == arguments, "a list read back from its area is the same");
  return 0;
}
