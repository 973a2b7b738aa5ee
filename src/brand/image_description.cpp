#include "brand/image_description.h"

#include "brand/icon_file.h"
#include "brand/image_branding.h"
#include "brand/manifest_level.h"
#include "brand/pe_image.h"
#include "brand/resource_tree.h"
#include "brand/version_info.h"
#include "platform/text.h"

namespace launcher::brand {

namespace {

std::string Utf8Of(const std::u16string& text) { return platform::ToUtf8(platform::FromUtf16(text)); }

const char* SubsystemName(uint16_t subsystem) {
  switch (subsystem) {
    case kSubsystemGui:
      return "gui";
    case kSubsystemConsole:
      return "console";
    default:
      return "other";
  }
}

void DescribeVersion(const ResourceList& resources, std::string& out) {
  for (const ResourceEntry* entry : FindResources(resources, ResourceKey::Number(resource_type::kVersion))) {
    std::optional<VersionInfo> info = ParseVersionInfo(entry->data);
    if (!info) continue;
    out += "file version: " + FormatFourPartVersion(info->fileVersion) + "\n";
    out += "product version: " + FormatFourPartVersion(info->productVersion) + "\n";
    for (const auto& [name, value] : info->strings) out += "version " + Utf8Of(name) + ": " + Utf8Of(value) + "\n";
    return;
  }
  out += "file version: none\n";
}

void DescribeIcon(const ResourceList& resources, std::string& out) {
  std::string sizes;
  for (const ResourceEntry* entry : FindResources(resources, ResourceKey::Number(resource_type::kGroupIcon))) {
    if (entry->name != ResourceKey::Number(kLauncherIconGroup)) continue;
    for (const IconGroupEntry& image : ReadIconGroup(entry->data)) {
      sizes += (sizes.empty() ? "" : ", ") + std::to_string(image.width) + "x" + std::to_string(image.height) + " " +
               std::to_string(image.bitCount) + "-bit";
    }
  }
  out += "icon: " + (sizes.empty() ? std::string("none") : sizes) + "\n";
}

void DescribeSettings(const ResourceList& resources, std::string& out) {
  for (const ResourceEntry* entry : FindResources(resources, ResourceKey::Number(resource_type::kRcData))) {
    if (entry->name != ResourceKey::Named(kSettingsResourceName)) continue;
    out += "built-in settings: " + std::to_string(entry->data.size()) + " bytes\n";
    std::string text = platform::ToUtf8(platform::DecodeText(entry->data));
    out += text;
    if (!text.empty() && text.back() != '\n') out += "\n";
    return;
  }
  out += "built-in settings: none\n";
}

}  // namespace

BrandResult<std::string> DescribeImage(std::string_view file) {
  BrandResult<PeImage> image = ReadPeImage(file);
  if (!image) return image.error();
  const PeDirectory directory = image->Directory(PeDirectoryIndex::Resource);
  const PeSection* section = image->SectionAt(directory.address);
  if (section == nullptr) return BrandError{"has no resources"};
  BrandResult<ResourceList> resources =
      ParseResources(file.substr(section->rawOffset, section->rawSize), section->virtualAddress);
  if (!resources) return resources.error();
  std::string out = std::string("subsystem: ") + SubsystemName(image->subsystem) + "\n";
  std::string level = "none";
  for (const ResourceEntry* entry : FindResources(*resources, ResourceKey::Number(resource_type::kManifest))) {
    if (std::optional<std::string> found = RequestedExecutionLevel(entry->data)) level = *found;
  }
  out += "execution level: " + level + "\n";
  out += std::string("signed: ") + (image->Directory(PeDirectoryIndex::Certificate).size != 0 ? "yes" : "no") + "\n";
  DescribeVersion(*resources, out);
  DescribeIcon(*resources, out);
  DescribeSettings(*resources, out);
  return out;
}

}  // namespace launcher::brand
