#include "jvm/library_imports.h"

#include <cstdint>
#include <optional>

namespace launcher::jvm {

namespace {

constexpr size_t kDescriptorSize = 20;
constexpr size_t kSectionHeaderSize = 40;
constexpr size_t kMostDescriptors = 4096;  // a real image imports a few dozen
constexpr size_t kLongestName = 260;

std::optional<uint32_t> Read(std::string_view bytes, size_t offset, size_t width) {
  if (offset > bytes.size() || bytes.size() - offset < width) return std::nullopt;
  uint32_t value = 0;
  for (size_t i = 0; i < width; ++i) {
    value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  }
  return value;
}

struct Section {
  uint32_t address, extent, fileOffset;
};

// The headers that matter: where the import directory is, and the sections
// that map its addresses to file offsets.
struct ImageLayout {
  uint32_t importAddress = 0;
  std::vector<Section> sections;
};

std::optional<ImageLayout> ReadLayout(std::string_view image) {
  if (image.substr(0, 2) != "MZ") return std::nullopt;
  const std::optional<uint32_t> nt = Read(image, 0x3C, 4);
  if (!nt || *nt > image.size() || image.substr(*nt, 4) != std::string_view("PE\0\0", 4)) return std::nullopt;
  const size_t fileHeader = size_t{*nt} + 4, optionalHeader = fileHeader + 20;
  const auto sectionCount = Read(image, fileHeader + 2, 2), optionalSize = Read(image, fileHeader + 16, 2);
  const auto magic = Read(image, optionalHeader, 2);
  if (!sectionCount || !optionalSize || !magic || (*magic != 0x10B && *magic != 0x20B)) return std::nullopt;
  // PE32 and PE32+ differ in where the count of data directories lies.
  const size_t directoryCount = optionalHeader + (*magic == 0x10B ? 92 : 108);
  const auto directories = Read(image, directoryCount, 4);
  const size_t importEntry = directoryCount + 4 + 8;  // the second directory
  if (!directories || *directories < 2 || importEntry + 8 > optionalHeader + *optionalSize) return std::nullopt;
  ImageLayout layout;
  const auto importAddress = Read(image, importEntry, 4);
  if (!importAddress) return std::nullopt;
  layout.importAddress = *importAddress;
  const size_t table = optionalHeader + *optionalSize;
  for (size_t i = 0; i < *sectionCount; ++i) {
    const size_t header = table + i * kSectionHeaderSize;
    const auto virtualSize = Read(image, header + 8, 4), address = Read(image, header + 12, 4),
               rawSize = Read(image, header + 16, 4), fileOffset = Read(image, header + 20, 4);
    if (!virtualSize || !address || !rawSize || !fileOffset) return std::nullopt;
    layout.sections.push_back({*address, *virtualSize > *rawSize ? *virtualSize : *rawSize, *fileOffset});
  }
  return layout;
}

// The file offset of an address of the loaded image, when a section holds it.
std::optional<size_t> OffsetOf(const ImageLayout& layout, uint64_t address) {
  for (const Section& section : layout.sections) {
    if (address >= section.address && address - section.address < section.extent) {
      return size_t{section.fileOffset} + static_cast<size_t>(address - section.address);
    }
  }
  return std::nullopt;
}

std::optional<std::string> NameAt(std::string_view image, const ImageLayout& layout, uint32_t address) {
  const std::optional<size_t> offset = OffsetOf(layout, address);
  if (!offset || *offset >= image.size()) return std::nullopt;
  const std::string_view rest = image.substr(*offset, kLongestName + 1);
  const size_t end = rest.find('\0');
  if (end == std::string_view::npos || end == 0) return std::nullopt;
  return std::string(rest.substr(0, end));
}

}  // namespace

std::vector<std::string> ImportedLibraries(std::string_view image) {
  std::vector<std::string> names;
  const std::optional<ImageLayout> layout = ReadLayout(image);
  if (!layout || layout->importAddress == 0) return names;
  for (size_t i = 0; i < kMostDescriptors; ++i) {
    const std::optional<size_t> descriptor = OffsetOf(*layout, uint64_t{layout->importAddress} + i * kDescriptorSize);
    if (!descriptor) break;
    const auto nameAddress = Read(image, *descriptor + 12, 4), thunks = Read(image, *descriptor + 16, 4);
    // A descriptor of zeros ends the table.
    if (!nameAddress || !thunks || (*nameAddress == 0 && *thunks == 0)) break;
    if (std::optional<std::string> name = NameAt(image, *layout, *nameAddress)) names.push_back(*name);
  }
  return names;
}

}  // namespace launcher::jvm
