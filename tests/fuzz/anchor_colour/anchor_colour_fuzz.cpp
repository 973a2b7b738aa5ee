// The link colour of a registry value on any text: too long or without a comma
// is no colour, a colour has no bits beyond blue, and three numbers written as
// the browser writes them read back.
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "ui/anchor_colour.h"

using namespace launcher;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const WideString text = fuzz::Text(data, size);
  const std::optional<uint32_t> colour = ui::ParseAnchorColour(text);
  if (text.size() > ui::kAnchorColourMaxLength || text.find(L',') == WideString::npos) {
    fuzz::Check(!colour, "too long or without a comma is no colour", text);
  }
  if (colour) fuzz::Check(*colour <= 0xFFFFFF, "a colour is three bytes", text);

  if (size < 3) return 0;
  const WideString written =
      std::to_wstring(data[0]) + L"," + std::to_wstring(data[1]) + L"," + std::to_wstring(data[2]);
  const uint32_t expected = data[0] | (data[1] << 8) | (data[2] << 16);
  fuzz::Check(ui::ParseAnchorColour(written) == expected, "a written colour reads back", written);
  return 0;
}
