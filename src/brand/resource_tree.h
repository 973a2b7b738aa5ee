#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "brand/brand_result.h"

namespace launcher::brand {

// The resources of an image as a flat list: one entry per (type, name,
// language) leaf of the three-level resource directory.
struct ResourceKey {
  std::u16string name;  // empty: identified by number
  uint16_t id = 0;

  static ResourceKey Number(uint16_t id) { return {.name = {}, .id = id}; }
  static ResourceKey Named(std::u16string name) { return {.name = std::move(name), .id = 0}; }
  bool IsNamed() const { return !name.empty(); }
  // The directory's order: named entries first, by their text, then numbers.
  std::strong_ordering operator<=>(const ResourceKey& other) const;
  bool operator==(const ResourceKey& other) const = default;
};

struct ResourceEntry {
  ResourceKey type;
  ResourceKey name;
  uint16_t language = 0;
  uint32_t codePage = 0;
  std::string data;
};

using ResourceList = std::vector<ResourceEntry>;

namespace resource_type {
inline constexpr uint16_t kIcon = 3;
inline constexpr uint16_t kDialog = 5;
inline constexpr uint16_t kRcData = 10;
inline constexpr uint16_t kGroupIcon = 14;
inline constexpr uint16_t kVersion = 16;
inline constexpr uint16_t kManifest = 24;
}  // namespace resource_type

// The most resources, and bytes of their data and names, a launcher's tree may
// hold: far more than any launcher carries, and a bound on what a tree whose
// entries share their tables or data could make of a few bytes.
inline constexpr size_t kMostResources = 10000;
inline constexpr uint64_t kLargestResourceBytes = 64 << 20;

// Reads the resource directory at the start of section (loaded at sectionRva).
// Every offset, name and data range is checked; a directory deeper than three
// levels, with a leaf out of place, with a table or data entry reached twice,
// or above the bounds is refused.
BrandResult<ResourceList> ParseResources(std::string_view section, uint32_t sectionRva);

// Lays the resources out as a section loaded at sectionRva: the directory
// tables, the name strings, the data entries, then the data, each leaf's data
// aligned to 8 bytes. Entries are sorted as the format requires, so the same
// resources always give the same bytes.
std::string BuildResourceSection(ResourceList resources, uint32_t sectionRva);

// The entries of one type (and name, when given).
std::vector<const ResourceEntry*> FindResources(const ResourceList& resources, const ResourceKey& type);

}  // namespace launcher::brand
