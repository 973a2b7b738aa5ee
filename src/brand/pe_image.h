#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "brand/brand_result.h"

// The headers of a 64-bit Windows image, as far as branding reads and changes
// them: where each field lies in the file, so that a writer can change exactly
// those bytes and keep every other.
struct PeSection {
  std::string name;
  uint32_t headerOffset = 0;  // of its 40-byte entry in the section table
  uint32_t virtualSize = 0;
  uint32_t virtualAddress = 0;
  uint32_t rawSize = 0;
  uint32_t rawOffset = 0;
};

struct PeDirectory {
  uint32_t address = 0;  // an RVA, except for the certificate table: a file offset
  uint32_t size = 0;
};

enum class PeDirectoryIndex : uint32_t { Resource = 2, Certificate = 4, BaseRelocation = 5 };

struct PeImage {
  uint32_t optionalHeaderOffset = 0;
  uint32_t fileAlignment = 0;
  uint32_t sectionAlignment = 0;
  uint16_t subsystem = 0;
  std::vector<PeDirectory> directories;
  std::vector<PeSection> sections;

  PeDirectory Directory(PeDirectoryIndex index) const;
  // The section that holds the RVA, or nullptr.
  const PeSection* SectionAt(uint32_t rva) const;
};

// Offsets of optional-header fields of a 64-bit image.
namespace pe_field {
inline constexpr uint32_t kSizeOfInitializedData = 8;
inline constexpr uint32_t kSizeOfImage = 56;
inline constexpr uint32_t kCheckSum = 64;
inline constexpr uint32_t kSubsystem = 68;
inline constexpr uint32_t kDirectories = 112;
}  // namespace pe_field

inline constexpr uint16_t kSubsystemGui = 2;
inline constexpr uint16_t kSubsystemConsole = 3;

// Fails, saying what is wrong, on anything but a well-formed 64-bit x86 image
// whose headers and sections lie inside the file.
BrandResult<PeImage> ReadPeImage(std::string_view file);
