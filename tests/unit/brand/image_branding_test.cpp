#include "brand/image_branding.h"

#include <gtest/gtest.h>

#include <set>

#include "brand/image_description.h"
#include "brand/pe_checksum.h"
#include "brand/pe_image.h"
#include "brand/resource_tree.h"
#include "brand_test_files.h"
#include "common/little_endian.h"
#include "hostile_inputs.h"

namespace launcher::brand {
namespace {

using namespace pe_field;

struct Branded {
  PeImage image;
  ResourceList resources;
};

Branded Read(const std::string& file) {
  BrandResult<PeImage> image = ReadPeImage(file);
  EXPECT_TRUE(image) << image.error().message;
  const PeSection* section = image->SectionAt(image->Directory(PeDirectoryIndex::Resource).address);
  EXPECT_NE(section, nullptr);
  BrandResult<ResourceList> resources =
      ParseResources(std::string_view(file).substr(section->rawOffset, section->rawSize), section->virtualAddress);
  EXPECT_TRUE(resources) << resources.error().message;
  return {*image, *resources};
}

const ResourceEntry* Find(const ResourceList& resources, uint16_t type, const ResourceKey& name) {
  for (const ResourceEntry& entry : resources) {
    if (entry.type == ResourceKey::Number(type) && entry.name == name) return &entry;
  }
  return nullptr;
}

size_t Count(const ResourceList& resources, uint16_t type) {
  return FindResources(resources, ResourceKey::Number(type)).size();
}

BrandRequest FullRequest() {
  BrandRequest request;
  request.settings = "[Application]\r\nMain Class=com.example.App\r\n" + std::string(5000, ';');
  request.fileVersion = FourPartVersion{2, 0, 1, 7};
  request.versionStrings = {{u"CompanyName", u"Example Ltd"}, {u"OriginalFilename", u"MyApp.exe"}};
  request.executionLevel = ExecutionLevel::RequireAdministrator;
  request.subsystem = kSubsystemConsole;
  return request;
}

std::string Branding(const std::string& input, const BrandRequest& request) {
  BrandResult<std::string> output = BrandImage(input, request);
  EXPECT_TRUE(output) << output.error().message;
  return output ? *output : std::string();
}

// The offsets of the header fields branding may change.
std::set<size_t> ChangeableHeaderBytes(const PeImage& image, size_t resourceIndex) {
  std::set<size_t> offsets;
  auto field = [&offsets](size_t at, size_t size) {
    for (size_t i = 0; i < size; ++i) offsets.insert(at + i);
  };
  field(image.OptionalField(optional_header::kSizeOfInitializedData), 4);
  field(image.OptionalField(optional_header::kSizeOfImage), 4);
  field(image.OptionalField(optional_header::kCheckSum), 4);
  field(image.OptionalField(optional_header::kSubsystem), 2);
  field(image.DirectorySizeField(PeDirectoryIndex::Resource), 4);
  field(image.DirectoryAddressField(PeDirectoryIndex::BaseRelocation), 4);
  field(image.sections[resourceIndex].Field(section_header::kVirtualSize), 4);
  field(image.sections[resourceIndex].Field(section_header::kSizeOfRawData), 4);
  for (size_t i = resourceIndex + 1; i < image.sections.size(); ++i) {
    field(image.sections[i].Field(section_header::kVirtualAddress), 4);
    field(image.sections[i].Field(section_header::kPointerToRawData), 4);
  }
  return offsets;
}

TEST(ImageBrandingTest, ChangesOnlyTheResourcesAndWhatFollowsFromThem) {
  const std::string input = LauncherImage();
  ASSERT_FALSE(input.empty());
  const std::string output = Branding(input, FullRequest());
  const Branded before = Read(input);
  const Branded after = Read(output);

  ASSERT_EQ(before.image.sections.size(), after.image.sections.size());
  const PeSection* resources = before.image.SectionAt(before.image.Directory(PeDirectoryIndex::Resource).address);
  const size_t resourceIndex = static_cast<size_t>(resources - before.image.sections.data());
  ASSERT_EQ(resourceIndex + 2, before.image.sections.size()) << "the launcher ends with resources, relocations";
  const std::set<size_t> changeable = ChangeableHeaderBytes(before.image, resourceIndex);
  for (size_t at = 0; at < resources->rawOffset; ++at) {
    if (input[at] != output[at]) {
      EXPECT_TRUE(changeable.count(at)) << "byte " << at << " changed";
    }
  }
  // The relocations moved whole, behind the larger resources, and the directory follows them.
  const PeSection& oldRelocations = before.image.sections.back();
  const PeSection& newRelocations = after.image.sections.back();
  EXPECT_GT(newRelocations.virtualAddress, oldRelocations.virtualAddress);
  EXPECT_EQ(std::string_view(output).substr(newRelocations.rawOffset, newRelocations.rawSize),
            std::string_view(input).substr(oldRelocations.rawOffset, oldRelocations.rawSize));
  EXPECT_EQ(after.image.Directory(PeDirectoryIndex::BaseRelocation).address - newRelocations.virtualAddress,
            before.image.Directory(PeDirectoryIndex::BaseRelocation).address - oldRelocations.virtualAddress);
  EXPECT_EQ(after.image.sections[resourceIndex].virtualAddress + after.image.sections[resourceIndex].virtualSize,
            after.image.Directory(PeDirectoryIndex::Resource).address +
                after.image.Directory(PeDirectoryIndex::Resource).size);
  const ByteReader header(output);
  EXPECT_EQ(header.U32(after.image.OptionalField(optional_header::kSizeOfImage)),
            AlignUp(newRelocations.virtualAddress + newRelocations.virtualSize, after.image.sectionAlignment));
  EXPECT_EQ(header.U32(after.image.OptionalField(optional_header::kCheckSum)),
            PeChecksum(output, after.image.OptionalField(optional_header::kCheckSum)));
  EXPECT_EQ(output.size(), newRelocations.rawOffset + newRelocations.rawSize);
  EXPECT_EQ(after.image.subsystem, kSubsystemConsole);

  // The resources: the old ones kept, the settings and version added or replaced.
  EXPECT_EQ(after.resources.size(), before.resources.size() + 1);
  const ResourceEntry* settings = Find(after.resources, resource_type::kRcData, ResourceKey::Named(u"SETTINGS"));
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(settings->data, *FullRequest().settings);
  const ResourceEntry* version = Find(after.resources, resource_type::kVersion, ResourceKey::Number(1));
  ASSERT_NE(version, nullptr);
  std::optional<VersionInfo> info = ParseVersionInfo(version->data);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->fileVersion, (FourPartVersion{2, 0, 1, 7}));
  EXPECT_EQ(info->Find(u"FileVersion"), u"2.0.1.7");
  EXPECT_EQ(info->Find(u"CompanyName"), u"Example Ltd");
  EXPECT_EQ(info->Find(u"OriginalFilename"), u"MyApp.exe");
  EXPECT_EQ(info->Find(u"InternalName"), u"launcher");  // kept from the input
  const ResourceEntry* manifest = Find(after.resources, resource_type::kManifest, ResourceKey::Number(1));
  ASSERT_NE(manifest, nullptr);
  EXPECT_EQ(RequestedExecutionLevel(manifest->data), "requireAdministrator");
}

TEST(ImageBrandingTest, BrandingTwiceOrBrandingTheBrandedImageGivesTheSameBytes) {
  const std::string input = LauncherImage();
  const std::string once = Branding(input, FullRequest());
  EXPECT_EQ(Branding(input, FullRequest()), once);
  EXPECT_EQ(Branding(once, FullRequest()), once);
  // Without changes the resource section is rebuilt to the same size, so nothing moves.
  const std::string unchanged = Branding(input, {});
  EXPECT_EQ(unchanged.size(), input.size());
  EXPECT_EQ(Read(unchanged).resources.size(), Read(input).resources.size());
}

TEST(ImageBrandingTest, AnIconReplacesTheGroupAndItsImagesInsteadOfAddingToThem) {
  const std::string input = LauncherImage();
  BrandRequest request;
  request.icon =
      std::vector<IconImage>{{.width = 256, .height = 256, .colorCount = 0, .planes = 1, .bitCount = 32, .data = "A"},
                             {.width = 16, .height = 16, .colorCount = 0, .planes = 1, .bitCount = 32, .data = "B"}};
  const std::string twice = Branding(Branding(input, request), request);
  const ResourceList resources = Read(twice).resources;
  EXPECT_EQ(Count(resources, resource_type::kGroupIcon), 1u);
  EXPECT_EQ(Count(resources, resource_type::kIcon), 2u);
  const ResourceEntry* group = Find(resources, resource_type::kGroupIcon, ResourceKey::Number(kLauncherIconGroup));
  ASSERT_NE(group, nullptr);
  const std::vector<IconGroupEntry> entries = ReadIconGroup(group->data);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].width, 256);
  EXPECT_EQ(Find(resources, resource_type::kIcon, ResourceKey::Number(entries[0].iconId))->data, "A");
  EXPECT_EQ(Find(resources, resource_type::kIcon, ResourceKey::Number(entries[1].iconId))->data, "B");
}

TEST(ImageBrandingTest, ASignedInputIsRefusedUnlessItsSignatureIsStripped) {
  const std::string input = LauncherImage();
  PeImage image = *ReadPeImage(input);
  std::string signedInput = input + std::string(24, 'S');
  ByteWriter(signedInput)
      .PutU32(image.DirectoryAddressField(PeDirectoryIndex::Certificate), static_cast<uint32_t>(input.size()));
  ByteWriter(signedInput).PutU32(image.DirectorySizeField(PeDirectoryIndex::Certificate), 24);

  BrandResult<std::string> refused = BrandImage(signedInput, FullRequest());
  ASSERT_FALSE(refused);
  EXPECT_NE(refused.error().message.find("--strip-signature"), std::string::npos);
  BrandRequest strip = FullRequest();
  strip.signature = SignaturePolicy::Strip;
  // Stripped, the table and its directory entry are gone: the output is that of the unsigned input.
  EXPECT_EQ(Branding(signedInput, strip), Branding(input, FullRequest()));
}

TEST(ImageBrandingTest, RefusesWhatIsNotThisLaunchersImage) {
  const std::string launcher = LauncherImage();
  const PeImage image = *ReadPeImage(launcher);
  const PeSection* resources = image.SectionAt(image.Directory(PeDirectoryIndex::Resource).address);
  std::string farHeader = launcher;
  ByteWriter(farHeader).PutU32(kPeHeaderPointer, 0x7FFFFFF0);
  std::string corruptTree = launcher;
  ByteWriter(corruptTree).PutU16(resources->rawOffset + 14, 0xFFFF);  // more entries than the section holds
  std::string relocationsFirst = launcher;
  ByteWriter(relocationsFirst).PutU32(image.DirectoryAddressField(PeDirectoryIndex::BaseRelocation), 0);
  ByteWriter(relocationsFirst).PutU32(image.DirectorySizeField(PeDirectoryIndex::BaseRelocation), 0);
  const struct {
    const char* name;
    std::string file;
    const char* message;
  } cases[] = {
      {"empty", "", "not a Windows executable (no MZ header)"},
      {"text", "MZ but nothing more", "not a Windows executable (no MZ header)"},
      {"cut short", launcher.substr(0, 1024), "lies beyond the end of the file"},
      {"header beyond the file", farHeader, "not a Windows executable (no PE signature)"},
      {"32-bit", ReadTestFile(TEST_IMAGE_FOLDER "/tiny_i686.dll"), "a 32-bit or non-x64 image"},
      {"another 64-bit image", ReadTestFile(TEST_IMAGE_FOLDER "/tiny_x86_64.dll"), "is not this launcher"},
      {"corrupt resource directory", corruptTree, "resource section is corrupt"},
      {"a section after the resources", relocationsFirst, "follows the resources"},
  };
  for (const auto& each : cases) {
    BrandResult<std::string> output = BrandImage(each.file, FullRequest());
    ASSERT_FALSE(output) << each.name;
    EXPECT_NE(output.error().message.find(each.message), std::string::npos)
        << each.name << ": " << output.error().message;
  }
}

// Images made to break the writer (headers it would patch beyond its output,
// a file cut inside its sections), to multiply what it reads (a tree that
// shares its tables or data), or whose pointers would go stale when the
// resources move: refused with a message, the signature stripped and a new
// icon asked for. The tree shapes are refused by --show too.
TEST(ImageBrandingTest, RefusesHostileImages) {
  const std::string launcher = LauncherImage();
  BrandRequest request = FullRequest();
  request.signature = SignaturePolicy::Strip;
  request.icon =
      std::vector<IconImage>{{.width = 16, .height = 16, .colorCount = 0, .planes = 1, .bitCount = 32, .data = "A"}};
  const struct {
    const char* name;
    std::string file;
    const char* message;
  } cases[] = {
      {"headers after the sections", hostile::HeadersAfterSections(launcher), "headers do not lie at the start"},
      {"headers reaching into a section", hostile::HeadersOverlappingSections(launcher), "begins inside the headers"},
      {"a subtable shared", hostile::SharedSubtable(launcher), "a directory table reached twice"},
      {"a data entry shared", hostile::SharedDataEntry(launcher), "a data entry used twice"},
      {"a certificate table inside the sections", hostile::CertificateInsideSections(launcher),
       "certificate table that is not at the end of the file, after its sections"},
      {"a symbol table", hostile::WithSymbolTable(launcher), "COFF symbol table"},
      {"debug data that moves", hostile::DebugDataAfterResources(launcher), "debug data lies after the resources"},
      {"thread storage in the resources", hostile::DirectoryIntoResources(launcher, hostile::kThreadStorageDirectory),
       "data directory 9 points into the resources"},
      {"icon images numbered up to 65535", hostile::IconNumberedLast(launcher), "no numbers for the new icon's images"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    BrandResult<std::string> output = BrandImage(cases[i].file, request);
    ASSERT_FALSE(output) << cases[i].name;
    EXPECT_NE(output.error().message.find(cases[i].message), std::string::npos)
        << cases[i].name << ": " << output.error().message;
    if (i < 4) {
      EXPECT_FALSE(DescribeImage(cases[i].file)) << cases[i].name;
    }
  }
}

}  // namespace
}  // namespace launcher::brand
