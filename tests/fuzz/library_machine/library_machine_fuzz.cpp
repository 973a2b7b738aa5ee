// The PE and ELF header readers on any bytes: nothing is read outside the image
// (the input is exactly its size, under AddressSanitizer), more bytes after an
// image never change a yes, and writing a machine into the right field of a
// well-formed header gives the answer of that machine.
#include <cstdint>
#include <string>

#include "discovery/library_machine.h"
#include "fuzz_check.h"

using namespace launcher;

namespace {

void Put16(std::string& image, size_t at, uint16_t value, bool bigEndian = false) {
  image[at] = static_cast<char>(bigEndian ? value >> 8 : value & 0xFF);
  image[at + 1] = static_cast<char>(bigEndian ? value & 0xFF : value >> 8);
}

// The machine field of a PE image whose header offset lies inside it, or npos.
size_t PeMachineField(const std::string& image) {
  if (image.size() < 0x40 || image.compare(0, 2, "MZ") != 0) return std::string::npos;
  uint32_t offset = 0;
  for (int i = 3; i >= 0; --i) offset = offset << 8 | static_cast<unsigned char>(image[0x3C + i]);
  if (offset > image.size() || image.size() - offset < 6) return std::string::npos;
  return image.compare(offset, 4, std::string("PE\0\0", 4)) == 0 ? offset + 4 : std::string::npos;
}

void CheckMachines(std::string image) {
  const size_t field = PeMachineField(image);
  // Where the machine field lies on the header offset (0x3C to 0x3F), writing a
  // machine moves the headers: no answer is implied then.
  const bool onTheOffset = field != std::string::npos && field + 2 > 0x3C && field < 0x40;
  if (field != std::string::npos && !onTheOffset) {
    Put16(image, field, 0x014C);
    fuzz::Check(discovery::IsI386Library(image), "a PE header of i386 is 32-bit x86");
    Put16(image, field, 0x8664);
    fuzz::Check(!discovery::IsI386Library(image), "a PE header of x86-64 is not");
  }
  if (image.size() >= 20 && image.compare(0, 4,
                                          "\x7F"
                                          "ELF") == 0) {
    image[4] = 1;  // 32-bit class
    for (const bool bigEndian : {false, true}) {
      image[5] = bigEndian ? 2 : 1;
      Put16(image, 18, 3, bigEndian);
      fuzz::Check(discovery::IsI386Library(image), "a 32-bit ELF header of the 386 is 32-bit x86");
      Put16(image, 18, 62, bigEndian);
      fuzz::Check(!discovery::IsI386Library(image), "an ELF header of x86-64 is not");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view image = fuzz::Bytes(data, size);
  const bool i386 = discovery::IsI386Library(image);
  if (i386) {
    fuzz::Check(image.starts_with("MZ") || image.starts_with("\x7F"
                                                             "ELF"),
                "only PE and ELF images are x86");
    fuzz::Check(discovery::IsI386Library(std::string(image) + std::string(64, '\xFF')), "trailing bytes change no yes");
  }
  CheckMachines(std::string(image));
  return 0;
}
