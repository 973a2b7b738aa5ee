#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "brand/brand_result.h"

namespace launcher::brand {

// Where the fields branding reads and changes lie in a 64-bit Windows image,
// each from the start of its header.
namespace pe_field {
// The DOS header's pointer to the PE signature; the COFF file header follows
// the 4-byte signature.
inline constexpr uint32_t kPeHeaderPointer = 0x3C;
inline constexpr uint32_t kSignatureSize = 4;
inline constexpr uint32_t kFileHeaderSize = 20;

namespace file_header {
inline constexpr uint32_t kMachine = 0;
inline constexpr uint32_t kNumberOfSections = 2;
inline constexpr uint32_t kPointerToSymbolTable = 8;
inline constexpr uint32_t kNumberOfSymbols = 12;
inline constexpr uint32_t kSizeOfOptionalHeader = 16;
}  // namespace file_header

namespace optional_header {
inline constexpr uint32_t kMagic = 0;
inline constexpr uint32_t kSizeOfInitializedData = 8;
inline constexpr uint32_t kSectionAlignment = 32;
inline constexpr uint32_t kFileAlignment = 36;
inline constexpr uint32_t kSizeOfImage = 56;
inline constexpr uint32_t kSizeOfHeaders = 60;
inline constexpr uint32_t kCheckSum = 64;
inline constexpr uint32_t kSubsystem = 68;
inline constexpr uint32_t kNumberOfRvaAndSizes = 108;
inline constexpr uint32_t kDirectories = 112;  // 8 bytes each: address, size
inline constexpr uint32_t kDirectorySize = 8;
}  // namespace optional_header

namespace section_header {
inline constexpr uint32_t kName = 0;
inline constexpr uint32_t kVirtualSize = 8;
inline constexpr uint32_t kVirtualAddress = 12;
inline constexpr uint32_t kSizeOfRawData = 16;
inline constexpr uint32_t kPointerToRawData = 20;
inline constexpr uint32_t kSize = 40;
}  // namespace section_header

// An entry of the debug directory: where its data lies in memory and in the file.
namespace debug_entry {
inline constexpr uint32_t kSizeOfData = 16;
inline constexpr uint32_t kAddressOfRawData = 20;
inline constexpr uint32_t kPointerToRawData = 24;
inline constexpr uint32_t kSize = 28;
}  // namespace debug_entry
}  // namespace pe_field

// The headers of a 64-bit Windows image, as far as branding reads and changes
// them: where each header lies in the file, so that a writer can change exactly
// the fields it means and keep every other byte.
struct PeSection {
  std::string name;
  uint32_t headerOffset = 0;  // of its entry in the section table
  uint32_t virtualSize = 0;
  uint32_t virtualAddress = 0;
  uint32_t rawSize = 0;
  uint32_t rawOffset = 0;

  // The file offset of a field of its entry (pe_field::section_header).
  uint32_t Field(uint32_t field) const { return headerOffset + field; }
  // The bytes it takes when loaded.
  uint32_t Extent() const { return virtualSize != 0 ? virtualSize : rawSize; }
};

struct PeDirectory {
  uint32_t address = 0;  // an RVA, except for the certificate table: a file offset
  uint32_t size = 0;
};

enum class PeDirectoryIndex : uint32_t { Resource = 2, Certificate = 4, BaseRelocation = 5, Debug = 6 };

struct PeImage {
  uint32_t fileHeaderOffset = 0;
  uint32_t optionalHeaderOffset = 0;
  uint32_t fileAlignment = 0;
  uint32_t sectionAlignment = 0;
  uint16_t subsystem = 0;
  bool hasSymbolTable = false;  // a COFF symbol table, which lies after the sections
  std::vector<PeDirectory> directories;
  std::vector<PeSection> sections;

  PeDirectory Directory(PeDirectoryIndex index) const;
  // The section that holds the RVA, or nullptr.
  const PeSection* SectionAt(uint32_t rva) const;
  // The file offset of an optional-header field (pe_field::optional_header).
  uint32_t OptionalField(uint32_t field) const { return optionalHeaderOffset + field; }
  // The file offsets of a data directory's address and size.
  uint32_t DirectoryAddressField(PeDirectoryIndex index) const {
    return OptionalField(pe_field::optional_header::kDirectories) +
           static_cast<uint32_t>(index) * pe_field::optional_header::kDirectorySize;
  }
  uint32_t DirectorySizeField(PeDirectoryIndex index) const { return DirectoryAddressField(index) + 4; }
};

inline constexpr uint16_t kSubsystemGui = 2;
inline constexpr uint16_t kSubsystemConsole = 3;

// Fails, saying what is wrong, on anything but a well-formed 64-bit x86 image
// whose headers lie at its start (the section table within SizeOfHeaders, and
// that before every section's data) and whose sections lie inside the file.
BrandResult<PeImage> ReadPeImage(std::string_view file);

}  // namespace launcher::brand
