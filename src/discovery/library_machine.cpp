#include "discovery/library_machine.h"

#include <cstdint>
#include <memory>

#include "common/little_endian.h"
#include "platform/files.h"
#include "platform/runtime_layout.h"

namespace launcher::discovery {

namespace {

constexpr uint16_t kMachineI386 = 0x014C;
constexpr uint16_t kElfMachine386 = 3;

}  // namespace

// Every field is read through the bounds-checked reader: a truncated header
// reads as no image.
std::optional<ImageMachine> MachineOfImage(std::string_view image) {
  const ByteReader file(image);
  if (file.Slice(0, 2) == "MZ") {
    const uint32_t ntHeaders = file.U32(0x3C);
    const uint16_t machine = file.U16(ntHeaders + 4);
    if (file.Slice(ntHeaders, 4) != std::string_view("PE\0\0", 4) || file.Overran()) return std::nullopt;
    return ImageMachine{.format = ImageFormat::Pe, .machine = machine};
  }
  constexpr char kMagic[] = {0x7F, 'E', 'L', 'F'};
  if (file.Slice(0, 4) != std::string_view(kMagic, 4)) return std::nullopt;
  constexpr size_t kData = 5, kMachine = 18;
  const uint16_t machine = file.U8(kData) == 1 ? file.U16(kMachine) : file.U16BigEndian(kMachine);
  if (file.Overran()) return std::nullopt;
  return ImageMachine{.format = ImageFormat::Elf, .machine = machine};
}

bool IsForeignLibrary(std::string_view image) {
  const std::optional<ImageMachine> machine = MachineOfImage(image);
  if (!machine) return false;
  return machine->machine != (machine->format == ImageFormat::Pe ? platform::kOwnPeMachine : platform::kOwnElfMachine);
}

bool IsForeignLibraryFile(const WideString& path) {
  const platform::SystemResult<platform::MappedFile> library = platform::MappedFile::Open(path);
  return library && IsForeignLibrary(library->Bytes());
}

bool IsI386Library(std::string_view image) {
  const std::optional<ImageMachine> machine = MachineOfImage(image);
  if (!machine) return false;
  if (machine->format == ImageFormat::Pe) return machine->machine == kMachineI386;
  // ELF's class field: 1 for a 32-bit image.
  constexpr size_t kClass = 4;
  return machine->machine == kElfMachine386 && ByteReader(image).U8(kClass) == 1;
}

bool IsI386LibraryFile(const WideString& path) {
  const platform::SystemResult<platform::MappedFile> library = platform::MappedFile::Open(path);
  return library && IsI386Library(library->Bytes());
}

}  // namespace launcher::discovery
