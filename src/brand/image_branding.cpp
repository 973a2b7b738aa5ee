#include "brand/image_branding.h"

#include <algorithm>
#include <set>

#include "brand/byte_view.h"
#include "brand/pe_checksum.h"
#include "brand/pe_image.h"
#include "brand/resource_tree.h"

namespace {

constexpr uint16_t kLauncherDialog = 201;  // the "JRE Not Found" dialog every launcher carries
constexpr uint16_t kVersionId = 1;
constexpr uint16_t kManifestId = 1;

// The launcher's own resources, found where it keeps them.
struct Layout {
  PeImage image;
  size_t resourceIndex = 0;
  std::string_view file;  // without a certificate table being stripped
};

bool HasResource(const ResourceList& resources, uint16_t type, uint16_t id) {
  return std::any_of(resources.begin(), resources.end(), [&](const ResourceEntry& entry) {
    return entry.type == ResourceKey::Number(type) && entry.name == ResourceKey::Number(id);
  });
}

BrandResult<std::string_view> WithoutCertificate(std::string_view file, const PeImage& image, SignaturePolicy policy) {
  const PeDirectory certificate = image.Directory(PeDirectoryIndex::Certificate);
  if (certificate.size == 0) return file;
  if (policy == SignaturePolicy::Refuse) {
    return BrandError{"is signed; give --strip-signature to remove the signature, then sign the output again"};
  }
  // The table must be the file's tail: only then can it go without moving anything else.
  if (certificate.address > file.size() || file.size() - certificate.address < certificate.size ||
      file.size() - certificate.address - certificate.size >= 8) {
    return BrandError{"has a certificate table that is not at the end of the file"};
  }
  return file.substr(0, certificate.address);
}

BrandResult<size_t> ResourceSectionIndex(const PeImage& image) {
  const PeDirectory resources = image.Directory(PeDirectoryIndex::Resource);
  const PeSection* section = image.SectionAt(resources.address);
  if (resources.size == 0 || section == nullptr || section->virtualAddress != resources.address) {
    return BrandError{"is not this launcher (it has no resource section)"};
  }
  const auto index = static_cast<size_t>(section - image.sections.data());
  const PeDirectory relocations = image.Directory(PeDirectoryIndex::BaseRelocation);
  for (size_t i = 0; i < image.sections.size(); ++i) {
    const PeSection& other = image.sections[i];
    if (i < index && other.rawSize != 0 && other.rawOffset + uint64_t{other.rawSize} > section->rawOffset) {
      return BrandError{"is not laid out as this launcher (section " + other.name + " lies after the resources)"};
    }
    // Only the base relocations may follow: nothing refers into them, so they can move.
    if (i > index && !(relocations.size != 0 && image.SectionAt(relocations.address) == &other)) {
      return BrandError{"is not laid out as this launcher (section " + other.name + " follows the resources)"};
    }
  }
  return index;
}

void ReplaceSettings(ResourceList& resources, const std::string& settings) {
  const ResourceKey type = ResourceKey::Number(resource_type::kRcData);
  const ResourceKey name = ResourceKey::Named(kSettingsResourceName);
  std::erase_if(resources, [&](const ResourceEntry& entry) { return entry.type == type && entry.name == name; });
  resources.push_back({.type = type, .name = name, .language = kResourceLanguage, .codePage = 0, .data = settings});
}

void ReplaceIcon(ResourceList& resources, const std::vector<IconImage>& images) {
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
  uint16_t firstId = 1;
  for (const ResourceEntry& entry : resources) {
    if (entry.type == iconType && !entry.name.IsNamed()) firstId = std::max<uint16_t>(firstId, entry.name.id + 1);
  }
  for (size_t i = 0; i < images.size(); ++i) {
    resources.push_back({.type = iconType,
                         .name = ResourceKey::Number(static_cast<uint16_t>(firstId + i)),
                         .language = language,
                         .codePage = 0,
                         .data = images[i].data});
  }
  resources.push_back(
      {.type = groupType, .name = groupName, .language = language, .codePage = 0, .data = BuildIconGroup(images, firstId)});
}

std::u16string Utf16Of(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

void ReplaceVersion(ResourceList& resources, const BrandRequest& request) {
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
  std::erase_if(resources, [&](const ResourceEntry& entry) { return entry.type == type; });
  resources.push_back({.type = type,
                       .name = ResourceKey::Number(kVersionId),
                       .language = language,
                       .codePage = 0,
                       .data = BuildVersionInfo(info)});
}

BrandResult<ResourceList> BrandedResources(ResourceList resources, const BrandRequest& request) {
  if (!HasResource(resources, resource_type::kDialog, kLauncherDialog) ||
      !HasResource(resources, resource_type::kManifest, kManifestId)) {
    return BrandError{"is not this launcher (its resources lack the launcher's dialogs or manifest)"};
  }
  if (request.settings) ReplaceSettings(resources, *request.settings);
  if (request.icon) ReplaceIcon(resources, *request.icon);
  ReplaceVersion(resources, request);
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

uint32_t ReadField(std::string_view file, uint32_t offset) { return ByteView(file).U32(offset); }

}  // namespace

BrandResult<std::string> BrandImage(std::string_view input, const BrandRequest& request) {
  BrandResult<PeImage> image = ReadPeImage(input);
  if (!image) return image.error();
  BrandResult<std::string_view> file = WithoutCertificate(input, *image, request.signature);
  if (!file) return file.error();
  BrandResult<size_t> resourceIndex = ResourceSectionIndex(*image);
  if (!resourceIndex) return resourceIndex.error();
  const PeSection resourceSection = image->sections[*resourceIndex];
  BrandResult<ResourceList> resources =
      ParseResources(file->substr(resourceSection.rawOffset, resourceSection.rawSize), resourceSection.virtualAddress);
  if (!resources) return resources.error();
  BrandResult<ResourceList> branded = BrandedResources(std::move(*resources), request);
  if (!branded) return branded.error();

  const std::string tree = BuildResourceSection(std::move(*branded), resourceSection.virtualAddress);
  const auto treeSize = static_cast<uint32_t>(tree.size());
  const auto rawSize = static_cast<uint32_t>(AlignUp(treeSize, image->fileAlignment));
  std::string out(file->substr(0, resourceSection.rawOffset));
  out += tree;
  out.resize(out.size() + (rawSize - treeSize), '\0');

  const uint32_t optional = image->optionalHeaderOffset;
  PutU32(out, resourceSection.headerOffset + 8, treeSize);
  PutU32(out, resourceSection.headerOffset + 16, rawSize);
  PutU32(out, optional + pe_field::kDirectories + 8 * static_cast<uint32_t>(PeDirectoryIndex::Resource) + 4, treeSize);
  PutU32(out, optional + pe_field::kSizeOfInitializedData,
         ReadField(out, optional + pe_field::kSizeOfInitializedData) + rawSize - resourceSection.rawSize);

  // The sections after the resources move to follow them, in memory and in the file.
  uint64_t nextAddress = AlignUp(uint64_t{resourceSection.virtualAddress} + treeSize, image->sectionAlignment);
  uint64_t imageEnd = nextAddress;
  uint64_t oldFileEnd = uint64_t{resourceSection.rawOffset} + resourceSection.rawSize;
  const PeDirectory relocations = image->Directory(PeDirectoryIndex::BaseRelocation);
  for (size_t i = *resourceIndex + 1; i < image->sections.size(); ++i) {
    const PeSection& section = image->sections[i];
    const auto address = static_cast<uint32_t>(nextAddress);
    PutU32(out, section.headerOffset + 12, address);
    if (section.rawSize != 0) {
      PutU32(out, section.headerOffset + 20, static_cast<uint32_t>(out.size()));
      out += file->substr(section.rawOffset, section.rawSize);
      oldFileEnd = std::max<uint64_t>(oldFileEnd, uint64_t{section.rawOffset} + section.rawSize);
    }
    if (relocations.size != 0 && image->SectionAt(relocations.address) == &section) {
      PutU32(out, optional + pe_field::kDirectories + 8 * static_cast<uint32_t>(PeDirectoryIndex::BaseRelocation),
             relocations.address - section.virtualAddress + address);
    }
    nextAddress = AlignUp(nextAddress + (section.virtualSize != 0 ? section.virtualSize : section.rawSize),
                          image->sectionAlignment);
    imageEnd = nextAddress;
  }
  // Whatever followed the sections in the file (not the certificate table) stays after them.
  if (oldFileEnd < file->size()) out += file->substr(oldFileEnd);
  PutU32(out, optional + pe_field::kSizeOfImage, static_cast<uint32_t>(imageEnd));
  if (image->Directory(PeDirectoryIndex::Certificate).size != 0) {
    PutU32(out, optional + pe_field::kDirectories + 8 * static_cast<uint32_t>(PeDirectoryIndex::Certificate), 0);
    PutU32(out, optional + pe_field::kDirectories + 8 * static_cast<uint32_t>(PeDirectoryIndex::Certificate) + 4, 0);
  }
  if (request.subsystem) PutU16(out, optional + pe_field::kSubsystem, *request.subsystem);
  PutU32(out, optional + pe_field::kCheckSum, PeChecksum(out, optional + pe_field::kCheckSum));
  return out;
}
