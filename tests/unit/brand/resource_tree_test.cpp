#include "brand/resource_tree.h"

#include <gtest/gtest.h>

#include "common/little_endian.h"

namespace launcher::brand {
namespace {

constexpr uint32_t kRva = 0x1000;

// A resource section of count numbered RCDATA resources of one byte each.
std::string ManyResources(size_t count) {
  ResourceList resources;
  for (size_t i = 0; i < count; ++i) {
    resources.push_back({.type = ResourceKey::Number(resource_type::kRcData),
                         .name = ResourceKey::Number(static_cast<uint16_t>(i + 1)),
                         .language = 0,
                         .codePage = 0,
                         .data = "x"});
  }
  return BuildResourceSection(resources, kRva);
}

// A root table of count types, each with an empty subtable of its own, all
// named by one name of 65535 characters: a small section whose name is read
// count times.
std::string OneLongNameForManyTypes(uint32_t count) {
  constexpr uint32_t kFlag = 0x80000000;
  const uint32_t subtables = 16 + count * 8;
  const uint32_t name = subtables + count * 16;
  std::string section(12, '\0');
  AppendU16(section, static_cast<uint16_t>(count));
  AppendU16(section, 0);
  for (uint32_t i = 0; i < count; ++i) {
    AppendU32(section, name | kFlag);
    AppendU32(section, (subtables + i * 16) | kFlag);
  }
  section.append(count * 16, '\0');
  AppendU16(section, 0xFFFF);
  section.append(0xFFFF * 2, 'a');
  return section;
}

TEST(ResourceTreeTest, BoundsTheResourcesAndTheBytesItReads) {
  BrandResult<ResourceList> most = ParseResources(ManyResources(kMostResources), kRva);
  ASSERT_TRUE(most) << most.error().message;
  EXPECT_EQ(most->size(), kMostResources);
  const struct {
    const char* name;
    std::string section;
    const char* message;
  } cases[] = {
      {"one resource too many", ManyResources(kMostResources + 1), "more than 10000 resources"},
      {"one name read 600 times", OneLongNameForManyTypes(600), "more than 64 MB of resources"},
  };
  for (const auto& each : cases) {
    BrandResult<ResourceList> resources = ParseResources(each.section, kRva);
    ASSERT_FALSE(resources) << each.name;
    EXPECT_NE(resources.error().message.find(each.message), std::string::npos)
        << each.name << ": " << resources.error().message;
  }
}

}  // namespace
}  // namespace launcher::brand
