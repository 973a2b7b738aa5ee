#include "brand/pe_image.h"

#include "common/little_endian.h"

namespace launcher::brand {
namespace {

using namespace pe_field;

constexpr uint16_t kMachineAmd64 = 0x8664;
constexpr uint16_t kMagicPe32Plus = 0x20B;
constexpr uint16_t kMagicPe32 = 0x10B;
constexpr uint32_t kMostDirectories = 16;

BrandError NotAnImage(const std::string& why) { return {"not a Windows executable (" + why + ")"}; }

bool IsPowerOfTwo(uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

// The headers end at SizeOfHeaders: the section table within them, every
// section's data after them. A writer that changes header fields then changes
// only bytes before the sections.
BrandResult<std::vector<PeSection>> ReadSections(const ByteReader& file, uint32_t tableOffset, uint16_t count,
                                                 uint32_t sizeOfHeaders) {
  if (!file.Has(tableOffset, uint64_t{count} * section_header::kSize)) return NotAnImage("section table cut short");
  if (tableOffset + uint64_t{count} * section_header::kSize > sizeOfHeaders || sizeOfHeaders > file.size()) {
    return NotAnImage("its headers do not lie at the start of the file, within SizeOfHeaders");
  }
  std::vector<PeSection> sections;
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t at = tableOffset + i * section_header::kSize;
    std::string_view name = file.Slice(at + section_header::kName, 8);
    const uint32_t rawSize = file.U32(at + section_header::kSizeOfRawData);
    // A section without file data may carry any offset; the loader ignores it, and so do we.
    PeSection section{.name = std::string(name.substr(0, name.find('\0'))),
                      .headerOffset = at,
                      .virtualSize = file.U32(at + section_header::kVirtualSize),
                      .virtualAddress = file.U32(at + section_header::kVirtualAddress),
                      .rawSize = rawSize,
                      .rawOffset = rawSize != 0 ? file.U32(at + section_header::kPointerToRawData) : 0};
    if (!file.Has(section.rawOffset, section.rawSize)) {
      return NotAnImage("section " + section.name + " lies beyond the end of the file");
    }
    if (section.rawSize != 0 && section.rawOffset < sizeOfHeaders) {
      return NotAnImage("section " + section.name + " begins inside the headers");
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
    if (rva >= section.virtualAddress && rva - section.virtualAddress < section.Extent()) return &section;
  }
  return nullptr;
}

BrandResult<PeImage> ReadPeImage(std::string_view bytes) {
  const ByteReader file(bytes);
  if (!file.Has(0, 64) || file.Slice(0, 2) != "MZ") return NotAnImage("no MZ header");
  const uint32_t peOffset = file.U32(kPeHeaderPointer);
  const uint64_t fileHeader = uint64_t{peOffset} + kSignatureSize;
  if (!file.Has(peOffset, kSignatureSize + kFileHeaderSize) ||
      file.Slice(peOffset, kSignatureSize) != std::string_view("PE\0\0", 4)) {
    return NotAnImage("no PE signature");
  }
  const auto optionalOffset = static_cast<uint32_t>(fileHeader + kFileHeaderSize);
  const uint16_t optionalSize = file.U16(fileHeader + file_header::kSizeOfOptionalHeader);
  if (!file.Has(optionalOffset, optionalSize) || optionalSize < 2) return NotAnImage("optional header cut short");
  const uint16_t magic = file.U16(optionalOffset + optional_header::kMagic);
  if (magic == kMagicPe32 || file.U16(fileHeader + file_header::kMachine) != kMachineAmd64) {
    return BrandError{"a 32-bit or non-x64 image; only the 64-bit launcher can be branded"};
  }
  if (magic != kMagicPe32Plus || optionalSize < optional_header::kDirectories)
    return NotAnImage("unknown optional header");
  PeImage image{.fileHeaderOffset = static_cast<uint32_t>(fileHeader),
                .optionalHeaderOffset = optionalOffset,
                .fileAlignment = file.U32(optionalOffset + optional_header::kFileAlignment),
                .sectionAlignment = file.U32(optionalOffset + optional_header::kSectionAlignment),
                .subsystem = file.U16(optionalOffset + optional_header::kSubsystem),
                .hasSymbolTable = file.U32(fileHeader + file_header::kPointerToSymbolTable) != 0 ||
                                  file.U32(fileHeader + file_header::kNumberOfSymbols) != 0,
                .directories = {},
                .sections = {}};
  if (!IsPowerOfTwo(image.fileAlignment) || !IsPowerOfTwo(image.sectionAlignment)) {
    return NotAnImage("alignment is not a power of two");
  }
  const uint32_t directoryCount = file.U32(optionalOffset + optional_header::kNumberOfRvaAndSizes);
  if (directoryCount > kMostDirectories ||
      optional_header::kDirectories + uint64_t{directoryCount} * optional_header::kDirectorySize > optionalSize) {
    return NotAnImage("data directories do not fit the optional header");
  }
  for (uint32_t i = 0; i < directoryCount; ++i) {
    const auto index = static_cast<PeDirectoryIndex>(i);
    image.directories.push_back(
        {.address = file.U32(image.DirectoryAddressField(index)), .size = file.U32(image.DirectorySizeField(index))});
  }
  BrandResult<std::vector<PeSection>> sections =
      ReadSections(file, optionalOffset + optionalSize, file.U16(fileHeader + file_header::kNumberOfSections),
                   file.U32(optionalOffset + optional_header::kSizeOfHeaders));
  if (!sections) return sections.error();
  image.sections = std::move(*sections);
  return image;
}

}  // namespace launcher::brand
