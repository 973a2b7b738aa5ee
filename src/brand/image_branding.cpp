#include "brand/image_branding.h"

#include <algorithm>
#include <set>

#include "brand/pe_checksum.h"
#include "brand/pe_image.h"
#include "brand/resource_tree.h"
#include "common/little_endian.h"

namespace launcher::brand {

namespace {

constexpr uint16_t kLauncherDialog = IDD_JRE_NOT_FOUND;  // every launcher carries it
// The ids Windows looks for: VS_VERSION_INFO and CREATEPROCESS_MANIFEST_RESOURCE_ID.
constexpr uint16_t kVersionId = 1;
constexpr uint16_t kManifestId = 1;

bool HasResource(const ResourceList& resources, uint16_t type, uint16_t id) {
  return std::any_of(resources.begin(), resources.end(), [&](const ResourceEntry& entry) {
    return entry.type == ResourceKey::Number(type) && entry.name == ResourceKey::Number(id);
  });
}

// Where the sections' data ends in the file.
uint64_t SectionDataEnd(const PeImage& image) {
  uint64_t end = 0;
  for (const PeSection& section : image.sections) {
    if (section.rawSize != 0) end = std::max(end, uint64_t{section.rawOffset} + section.rawSize);
  }
  return end;
}

BrandResult<std::string_view> WithoutCertificate(std::string_view file, const PeImage& image, SignaturePolicy policy) {
  const PeDirectory certificate = image.Directory(PeDirectoryIndex::Certificate);
  if (certificate.size == 0) return file;
  if (policy == SignaturePolicy::Refuse) {
    return BrandError{"is signed; give --strip-signature to remove the signature, then sign the output again"};
  }
  // The table must be the file's tail, after every section's data (8-byte
  // aligned, as the format places it): only then can it go without cutting
  // anything else.
  if (certificate.address < SectionDataEnd(image) || certificate.address % 8 != 0 ||
      certificate.address > file.size() || file.size() - certificate.address < certificate.size ||
      file.size() - certificate.address - certificate.size >= 8) {
    return BrandError{"has a certificate table that is not at the end of the file, after its sections"};
  }
  return file.substr(0, certificate.address);
}

BrandError NotLaidOut(const std::string& why) { return {"is not laid out as this launcher (" + why + ")"}; }

// The resources must come last but for the base relocations, in memory and in
// the file: the rebuilt section may then grow and move only those.
BrandResult<size_t> ResourceSectionIndex(const PeImage& image) {
  const PeDirectory resources = image.Directory(PeDirectoryIndex::Resource);
  const PeSection* section = image.SectionAt(resources.address);
  if (resources.size == 0 || section == nullptr || section->virtualAddress != resources.address) {
    return BrandError{"is not this launcher (it has no resource section)"};
  }
  const auto index = static_cast<size_t>(section - image.sections.data());
  const PeDirectory relocations = image.Directory(PeDirectoryIndex::BaseRelocation);
  const uint64_t resourceDataEnd = uint64_t{section->rawOffset} + section->rawSize;
  for (size_t i = 0; i < image.sections.size(); ++i) {
    const PeSection& other = image.sections[i];
    if (i < index && ((other.rawSize != 0 && other.rawOffset + uint64_t{other.rawSize} > section->rawOffset) ||
                      uint64_t{other.virtualAddress} + other.Extent() > section->virtualAddress)) {
      return NotLaidOut("section " + other.name + " lies after the resources");
    }
    // Only the base relocations may follow: nothing refers into them, so they can move.
    if (i > index && (!(relocations.size != 0 && image.SectionAt(relocations.address) == &other) ||
                      (other.rawSize != 0 && other.rawOffset < resourceDataEnd))) {
      return NotLaidOut("section " + other.name + " follows the resources");
    }
  }
  return index;
}

// What moves when the resources are rebuilt: the resource section itself,
// everything after it in memory and, in the file, everything after its start.
// Nothing but the relocations' own directory entry, which moves with them, may
// point there.
BrandResult<bool> CheckNothingPointsIntoMovedBytes(std::string_view file, const PeImage& image, size_t resourceIndex) {
  using namespace pe_field;
  const PeSection& resources = image.sections[resourceIndex];
  if (image.hasSymbolTable) return NotLaidOut("it carries a COFF symbol table; link it stripped (-s)");
  for (uint32_t i = 0; i < image.directories.size(); ++i) {
    const auto index = static_cast<PeDirectoryIndex>(i);
    const PeDirectory directory = image.directories[i];
    if (directory.size == 0 || index == PeDirectoryIndex::Resource || index == PeDirectoryIndex::Certificate) continue;
    const uint64_t end = uint64_t{directory.address} + directory.size;
    const PeSection* holder = image.SectionAt(directory.address);
    // The relocations move whole with their section, so they must lie within one.
    const bool moves =
        index == PeDirectoryIndex::BaseRelocation
            ? holder == nullptr || holder == &resources || end > uint64_t{holder->virtualAddress} + holder->Extent()
            : end > resources.virtualAddress;
    if (moves) return NotLaidOut("data directory " + std::to_string(i) + " points into the resources or after them");
  }
  const PeDirectory debug = image.Directory(PeDirectoryIndex::Debug);
  const PeSection* holder = image.SectionAt(debug.address);
  if (debug.size == 0 || holder == nullptr) return true;
  const ByteReader bytes(file);
  const uint64_t table = uint64_t{holder->rawOffset} + (debug.address - holder->virtualAddress);
  if (debug.address - holder->virtualAddress >= holder->rawSize || !bytes.Has(table, debug.size)) {
    return NotLaidOut("its debug directory lies outside its section's data");
  }
  for (uint64_t at = table; at + debug_entry::kSize <= table + debug.size; at += debug_entry::kSize) {
    if (bytes.U32(at + debug_entry::kSizeOfData) == 0) continue;
    const uint32_t address = bytes.U32(at + debug_entry::kAddressOfRawData);
    if (bytes.U32(at + debug_entry::kPointerToRawData) >= resources.rawOffset ||
        (address != 0 && address >= resources.virtualAddress)) {
      return NotLaidOut("its debug data lies after the resources; link it stripped (-s)");
    }
  }
  return true;
}

void ReplaceSettings(ResourceList& resources, const std::string& settings) {
  const ResourceKey type = ResourceKey::Number(resource_type::kRcData);
  const ResourceKey name = ResourceKey::Named(kSettingsResourceName);
  std::erase_if(resources, [&](const ResourceEntry& entry) { return entry.type == type && entry.name == name; });
  resources.push_back({.type = type, .name = name, .language = kResourceLanguage, .codePage = 0, .data = settings});
}

BrandResult<bool> ReplaceIcon(ResourceList& resources, const std::vector<IconImage>& images) {
  const ResourceKey groupType = ResourceKey::Number(resource_type::kGroupIcon);
  const ResourceKey iconType = ResourceKey::Number(resource_type::kIcon);
  const ResourceKey groupName = ResourceKey::Number(kLauncherIconGroup);
  uint16_t language = kResourceLanguage;
  std::set<uint16_t> oldImages;
  for (const ResourceEntry& entry : resources) {
    if (entry.type != groupType || entry.name != groupName) continue;
    language = entry.language;
    for (const IconGroupEntry& image : ReadIconGroup(entry.data)) oldImages.insert(image.iconId);
  }
  std::erase_if(resources, [&](const ResourceEntry& entry) {
    return (entry.type == groupType && entry.name == groupName) ||
           (entry.type == iconType && !entry.name.IsNamed() && oldImages.count(entry.name.id) != 0);
  });
  // The new images take the ids after every other image's, never wrapping to 0.
  uint32_t firstId = 1;
  for (const ResourceEntry& entry : resources) {
    if (entry.type == iconType && !entry.name.IsNamed()) firstId = std::max<uint32_t>(firstId, entry.name.id + 1u);
  }
  if (firstId + images.size() - 1 > 0xFFFF) {
    return BrandError{"has icon images numbered up to 65535, which leaves no numbers for the new icon's images"};
  }
  for (size_t i = 0; i < images.size(); ++i) {
    resources.push_back({.type = iconType,
                         .name = ResourceKey::Number(static_cast<uint16_t>(firstId + i)),
                         .language = language,
                         .codePage = 0,
                         .data = images[i].data});
  }
  resources.push_back({.type = groupType,
                       .name = groupName,
                       .language = language,
                       .codePage = 0,
                       .data = BuildIconGroup(images, static_cast<uint16_t>(firstId))});
  return true;
}

std::u16string Utf16Of(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

BrandResult<bool> ReplaceVersion(ResourceList& resources, const BrandRequest& request) {
  const ResourceKey type = ResourceKey::Number(resource_type::kVersion);
  VersionInfo info;
  uint16_t language = kResourceLanguage;
  for (const ResourceEntry& entry : resources) {
    if (entry.type != type) continue;
    if (std::optional<VersionInfo> old = ParseVersionInfo(entry.data)) info = std::move(*old);
    language = entry.language;
    break;
  }
  if (request.fileVersion) {
    info.fileVersion = *request.fileVersion;
    info.Set(u"FileVersion", Utf16Of(FormatFourPartVersion(*request.fileVersion)));
  }
  if (request.productVersion) {
    info.productVersion = *request.productVersion;
    info.Set(u"ProductVersion", Utf16Of(FormatFourPartVersion(*request.productVersion)));
  }
  for (const auto& [name, value] : request.versionStrings) info.Set(name, value);
  BrandResult<std::string> built = BuildVersionInfo(info);
  if (!built) return built.error();
  std::erase_if(resources, [&](const ResourceEntry& entry) { return entry.type == type; });
  resources.push_back({.type = type,
                       .name = ResourceKey::Number(kVersionId),
                       .language = language,
                       .codePage = 0,
                       .data = std::move(*built)});
  return true;
}

BrandResult<ResourceList> BrandedResources(ResourceList resources, const BrandRequest& request) {
  if (!HasResource(resources, resource_type::kDialog, kLauncherDialog) ||
      !HasResource(resources, resource_type::kManifest, kManifestId)) {
    return BrandError{"is not this launcher (its resources lack the launcher's dialogs or manifest)"};
  }
  if (request.settings) ReplaceSettings(resources, *request.settings);
  if (request.icon) {
    BrandResult<bool> replaced = ReplaceIcon(resources, *request.icon);
    if (!replaced) return replaced.error();
  }
  BrandResult<bool> versioned = ReplaceVersion(resources, request);
  if (!versioned) return versioned.error();
  if (request.executionLevel) {
    for (ResourceEntry& entry : resources) {
      if (entry.type != ResourceKey::Number(resource_type::kManifest)) continue;
      BrandResult<std::string> manifest = WithExecutionLevel(entry.data, *request.executionLevel);
      if (!manifest) return manifest.error();
      entry.data = std::move(*manifest);
    }
  }
  return resources;
}

// Where a section that follows the resources lands.
struct MovedSection {
  const PeSection* section = nullptr;
  uint32_t address = 0;
  uint32_t rawOffset = 0;
};

// The new file: the bytes before the resources, the new tree padded to the
// file alignment, the sections after it moved to follow it (in memory and in
// the file), then whatever followed the sections (not the certificate table).
struct NewLayout {
  std::string bytes;
  std::vector<MovedSection> moved;
  uint64_t imageEnd = 0;
};

NewLayout LayOut(std::string_view file, const PeImage& image, size_t resourceIndex, const std::string& tree) {
  const PeSection& resources = image.sections[resourceIndex];
  NewLayout layout{.bytes = std::string(file.substr(0, resources.rawOffset)), .moved = {}, .imageEnd = 0};
  layout.bytes += tree;
  PadTo(layout.bytes, image.fileAlignment);
  uint64_t nextAddress = AlignUp(uint64_t{resources.virtualAddress} + tree.size(), image.sectionAlignment);
  uint64_t oldFileEnd = uint64_t{resources.rawOffset} + resources.rawSize;
  for (size_t i = resourceIndex + 1; i < image.sections.size(); ++i) {
    const PeSection& section = image.sections[i];
    layout.moved.push_back({.section = &section,
                            .address = static_cast<uint32_t>(nextAddress),
                            .rawOffset = static_cast<uint32_t>(section.rawSize != 0 ? layout.bytes.size() : 0)});
    if (section.rawSize != 0) {
      layout.bytes += file.substr(section.rawOffset, section.rawSize);
      oldFileEnd = std::max<uint64_t>(oldFileEnd, uint64_t{section.rawOffset} + section.rawSize);
    }
    nextAddress = AlignUp(nextAddress + section.Extent(), image.sectionAlignment);
  }
  layout.imageEnd = nextAddress;
  if (oldFileEnd < file.size()) layout.bytes += file.substr(oldFileEnd);
  return layout;
}

}  // namespace

BrandResult<std::string> BrandImage(std::string_view input, const BrandRequest& request) {
  using namespace pe_field;
  BrandResult<PeImage> image = ReadPeImage(input);
  if (!image) return image.error();
  BrandResult<std::string_view> file = WithoutCertificate(input, *image, request.signature);
  if (!file) return file.error();
  BrandResult<size_t> resourceIndex = ResourceSectionIndex(*image);
  if (!resourceIndex) return resourceIndex.error();
  BrandResult<bool> nothingPointsThere = CheckNothingPointsIntoMovedBytes(*file, *image, *resourceIndex);
  if (!nothingPointsThere) return nothingPointsThere.error();
  const PeSection& resourceSection = image->sections[*resourceIndex];
  BrandResult<ResourceList> resources =
      ParseResources(file->substr(resourceSection.rawOffset, resourceSection.rawSize), resourceSection.virtualAddress);
  if (!resources) return resources.error();
  BrandResult<ResourceList> branded = BrandedResources(std::move(*resources), request);
  if (!branded) return branded.error();

  const std::string tree = BuildResourceSection(std::move(*branded), resourceSection.virtualAddress);
  if (tree.size() > kLargestResourceBytes) {
    return BrandError{"would get resources of more than " + std::to_string(kLargestResourceBytes >> 20) + " MB"};
  }
  NewLayout layout = LayOut(*file, *image, *resourceIndex, tree);
  if (layout.imageEnd > 0xFFFFFFFF) return BrandError{"would get larger in memory than an image can be (4 GB)"};
  const auto treeSize = static_cast<uint32_t>(tree.size());
  const auto rawSize = static_cast<uint32_t>(AlignUp(treeSize, image->fileAlignment));
  const uint32_t initializedData =
      ByteReader(layout.bytes).U32(image->OptionalField(optional_header::kSizeOfInitializedData));

  ByteWriter out(layout.bytes);
  out.PutU32(resourceSection.Field(section_header::kVirtualSize), treeSize);
  out.PutU32(resourceSection.Field(section_header::kSizeOfRawData), rawSize);
  out.PutU32(image->DirectorySizeField(PeDirectoryIndex::Resource), treeSize);
  out.PutU32(image->OptionalField(optional_header::kSizeOfInitializedData),
             initializedData + rawSize - resourceSection.rawSize);
  const PeDirectory relocations = image->Directory(PeDirectoryIndex::BaseRelocation);
  for (const MovedSection& moved : layout.moved) {
    out.PutU32(moved.section->Field(section_header::kVirtualAddress), moved.address);
    if (moved.section->rawSize != 0)
      out.PutU32(moved.section->Field(section_header::kPointerToRawData), moved.rawOffset);
    if (relocations.size != 0 && image->SectionAt(relocations.address) == moved.section) {
      out.PutU32(image->DirectoryAddressField(PeDirectoryIndex::BaseRelocation),
                 relocations.address - moved.section->virtualAddress + moved.address);
    }
  }
  out.PutU32(image->OptionalField(optional_header::kSizeOfImage), static_cast<uint32_t>(layout.imageEnd));
  if (image->Directory(PeDirectoryIndex::Certificate).size != 0) {
    out.PutU32(image->DirectoryAddressField(PeDirectoryIndex::Certificate), 0);
    out.PutU32(image->DirectorySizeField(PeDirectoryIndex::Certificate), 0);
  }
  if (request.subsystem) out.PutU16(image->OptionalField(optional_header::kSubsystem), *request.subsystem);
  const uint32_t checksumField = image->OptionalField(optional_header::kCheckSum);
  out.PutU32(checksumField, PeChecksum(layout.bytes, checksumField));
  if (out.Overran()) return BrandError{"is not laid out as this launcher (its headers lie beyond its sections)"};
  return std::move(layout.bytes);
}

}  // namespace launcher::brand
