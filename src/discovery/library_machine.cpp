#include "discovery/library_machine.h"

#include <cstdint>
#include <memory>

#include "platform/files.h"

namespace {

constexpr uint16_t kMachineI386 = 0x014C;
constexpr uint16_t kElfMachine386 = 3;

uint32_t ReadLittleEndian(std::string_view bytes, size_t offset, size_t width) {
  uint32_t value = 0;
  for (size_t i = 0; i < width; ++i) {
    value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  }
  return value;
}

bool IsI386Pe(std::string_view image) {
  constexpr size_t kHeaderOffsetField = 0x3C;
  if (image.size() < kHeaderOffsetField + 4 || image.substr(0, 2) != "MZ") return false;
  size_t ntHeaders = ReadLittleEndian(image, kHeaderOffsetField, 4);
  // The signature and the file header's machine field must lie inside the image.
  if (ntHeaders > image.size() || image.size() - ntHeaders < 6) return false;
  if (image.substr(ntHeaders, 4) != std::string_view("PE\0\0", 4)) return false;
  return ReadLittleEndian(image, ntHeaders + 4, 2) == kMachineI386;
}

bool IsI386Elf(std::string_view image) {
  constexpr size_t kClass = 4, kData = 5, kMachine = 18;
  constexpr char kMagic[] = {0x7F, 'E', 'L', 'F'};
  if (image.size() < kMachine + 2 || image.substr(0, 4) != std::string_view(kMagic, 4)) return false;
  const bool littleEndian = image[kData] == 1;
  uint32_t machine = littleEndian ? ReadLittleEndian(image, kMachine, 2)
                                  : (static_cast<unsigned char>(image[kMachine]) << 8) |
                                        static_cast<unsigned char>(image[kMachine + 1]);
  return image[kClass] == 1 && machine == kElfMachine386;
}

}  // namespace

bool IsI386Library(std::string_view image) { return IsI386Pe(image) || IsI386Elf(image); }

bool IsI386LibraryFile(const WideString& path) {
  const platform::SystemResult<platform::MappedFile> library = platform::MappedFile::Open(path);
  return library && IsI386Library(library->Bytes());
}
