#include "brand/pe_image.h"

#include "brand/byte_view.h"

namespace {

constexpr uint16_t kMachineAmd64 = 0x8664;
constexpr uint16_t kMagicPe32Plus = 0x20B;
constexpr uint16_t kMagicPe32 = 0x10B;
constexpr uint32_t kSectionEntrySize = 40;

BrandError NotAnImage(const std::string& why) { return {"not a Windows executable (" + why + ")"}; }

bool IsPowerOfTwo(uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

BrandResult<std::vector<PeSection>> ReadSections(const ByteView& file, uint32_t tableOffset, uint16_t count) {
  if (!file.Has(tableOffset, uint64_t{count} * kSectionEntrySize)) return NotAnImage("section table cut short");
  std::vector<PeSection> sections;
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t at = tableOffset + i * kSectionEntrySize;
    std::string_view name = file.Slice(at, 8);
    const uint32_t rawSize = file.U32(at + 16);
    // A section without file data may carry any offset; the loader ignores it, and so do we.
    PeSection section{.name = std::string(name.substr(0, name.find('\0'))),
                      .headerOffset = at,
                      .virtualSize = file.U32(at + 8),
                      .virtualAddress = file.U32(at + 12),
                      .rawSize = rawSize,
                      .rawOffset = rawSize != 0 ? file.U32(at + 20) : 0};
    if (!file.Has(section.rawOffset, section.rawSize)) {
      return NotAnImage("section " + section.name + " lies beyond the end of the file");
    }
    sections.push_back(section);
  }
  return sections;
}

}  // namespace

PeDirectory PeImage::Directory(PeDirectoryIndex index) const {
  const auto at = static_cast<size_t>(index);
  return at < directories.size() ? directories[at] : PeDirectory{};
}

const PeSection* PeImage::SectionAt(uint32_t rva) const {
  for (const PeSection& section : sections) {
    const uint32_t extent = section.virtualSize != 0 ? section.virtualSize : section.rawSize;
    if (rva >= section.virtualAddress && rva - section.virtualAddress < extent) return &section;
  }
  return nullptr;
}

BrandResult<PeImage> ReadPeImage(std::string_view bytes) {
  const ByteView file(bytes);
  if (!file.Has(0, 64) || file.Slice(0, 2) != "MZ") return NotAnImage("no MZ header");
  const uint32_t peOffset = file.U32(60);
  if (!file.Has(peOffset, 24) || file.Slice(peOffset, 4) != std::string_view("PE\0\0", 4)) {
    return NotAnImage("no PE signature");
  }
  const uint32_t optionalOffset = peOffset + 24;
  const uint16_t optionalSize = file.U16(peOffset + 20);
  if (!file.Has(optionalOffset, optionalSize) || optionalSize < 2) return NotAnImage("optional header cut short");
  const uint16_t magic = file.U16(optionalOffset);
  if (magic == kMagicPe32 || file.U16(peOffset + 4) != kMachineAmd64) {
    return BrandError{"a 32-bit or non-x64 image; only the 64-bit launcher can be branded"};
  }
  if (magic != kMagicPe32Plus || optionalSize < pe_field::kDirectories) return NotAnImage("unknown optional header");
  PeImage image{.optionalHeaderOffset = optionalOffset,
                .fileAlignment = file.U32(optionalOffset + 36),
                .sectionAlignment = file.U32(optionalOffset + 32),
                .subsystem = file.U16(optionalOffset + pe_field::kSubsystem),
                .directories = {},
                .sections = {}};
  if (!IsPowerOfTwo(image.fileAlignment) || !IsPowerOfTwo(image.sectionAlignment)) {
    return NotAnImage("alignment is not a power of two");
  }
  const uint32_t directoryCount = file.U32(optionalOffset + 108);
  if (directoryCount > 16 || pe_field::kDirectories + uint64_t{directoryCount} * 8 > optionalSize) {
    return NotAnImage("data directories do not fit the optional header");
  }
  for (uint32_t i = 0; i < directoryCount; ++i) {
    const uint32_t at = optionalOffset + pe_field::kDirectories + i * 8;
    image.directories.push_back({.address = file.U32(at), .size = file.U32(at + 4)});
  }
  BrandResult<std::vector<PeSection>> sections =
      ReadSections(file, optionalOffset + optionalSize, file.U16(peOffset + 6));
  if (!sections) return sections.error();
  image.sections = std::move(*sections);
  return image;
}
