#include "brand/icon_file.h"

#include <gtest/gtest.h>

#include "brand_test_files.h"
#include "common/little_endian.h"
#include "hostile_inputs.h"

namespace launcher::brand {
namespace {

// An .ico file of one image with the given directory fields.
std::string IcoOf(const std::string& image, uint8_t width) {
  std::string ico;
  AppendU16(ico, 0);
  AppendU16(ico, 1);
  AppendU16(ico, 1);
  ico += std::string{static_cast<char>(width), static_cast<char>(width), 0, 0};
  AppendU16(ico, 1);
  AppendU16(ico, 32);
  AppendU32(ico, static_cast<uint32_t>(image.size()));
  AppendU32(ico, 22);
  return ico + image;
}

TEST(IconFileTest, ReadsBitmapAndPngImagesAndTheirGroup) {
  const std::string launcherIcon = SourceFile("resources/launcher.ico");
  BrandResult<std::vector<IconImage>> bitmaps = ReadIcoFile(launcherIcon);
  ASSERT_TRUE(bitmaps) << bitmaps.error().message;
  ASSERT_EQ(bitmaps->size(), 3u);
  EXPECT_EQ((*bitmaps)[0].width, 48);
  EXPECT_EQ((*bitmaps)[0].bitCount, 32);

  const std::string png = SourceFile("tests/fixtures/pictures/square_48.png");
  BrandResult<std::vector<IconImage>> fromIco = ReadIcoFile(IcoOf(png, 48));
  ASSERT_TRUE(fromIco) << fromIco.error().message;
  EXPECT_EQ((*fromIco)[0].data, png);
  BrandResult<IconImage> fromPng = ReadPngIcon(png);
  ASSERT_TRUE(fromPng) << fromPng.error().message;
  EXPECT_EQ(fromPng->width, 48);

  // 256 pixels are stored as 0 in a group, and read back as 256.
  std::vector<IconImage> images = *bitmaps;
  images[1].width = images[1].height = 256;
  const std::vector<IconGroupEntry> group = ReadIconGroup(BuildIconGroup(images, 7));
  ASSERT_EQ(group.size(), 3u);
  EXPECT_EQ(group[1].width, 256);
  EXPECT_EQ(group[1].iconId, 8);
  EXPECT_EQ(group[2].bitCount, 32);
}

TEST(IconFileTest, RefusesIconsThatAreCorruptCutShortOrOfTheWrongSize) {
  const std::string png = SourceFile("tests/fixtures/pictures/square_48.png");
  const std::string launcherIcon = SourceFile("resources/launcher.ico");
  std::string badChecksum = png;
  badChecksum[20] ^= 1;  // inside the header chunk
  std::string hugeBitmap = launcherIcon;
  ByteWriter(hugeBitmap).PutU32(ByteReader(launcherIcon).U32(18) + 8, 2 * 4096);  // the first image's height
  const struct {
    const char* name;
    std::string file;
    const char* message;
  } icoCases[] = {
      {"empty", "", "no icon file header"},
      {"no images", std::string("\0\0\1\0\0\0", 6), "without images"},
      {"list cut short", launcherIcon.substr(0, 20), "image list cut short"},
      {"image cut short", launcherIcon.substr(0, launcherIcon.size() - 1), "lies beyond the end of the file"},
      {"bitmap larger than 256", hugeBitmap, "a kind icons do not use"},
      {"png cut short", IcoOf(png.substr(0, png.size() - 5), 48), "image 1: PNG cut short"},
      {"png checksum", IcoOf(badChecksum, 48), "PNG chunk checksum wrong"},
      {"png not square", IcoOf(SourceFile("tests/fixtures/pictures/quadrants.png"), 80), "is not square"},
      {"png of RGB", IcoOf(hostile::PngOfColourType(png, hostile::kPngRgb), 48), "another kind than 8-bit RGBA"},
      {"one image listed twice", hostile::IcoFile({png}, {{.image = 0, .shift = 0}, {.image = 0, .shift = 0}}),
       "image 2 shares its bytes with image 1"},
      {"images overlapping", hostile::IcoFile({png, png}, {{.image = 0, .shift = 0}, {.image = 1, .shift = -4}}),
       "image 2 shares its bytes with image 1"},
      {"an image inside the list", hostile::IcoFile({png}, {{.image = 0, .shift = -8}}), "lies inside the image list"},
      {"257 images", hostile::IcoFile({png}, std::vector<hostile::IcoEntry>(257)), "more than 256 images"},
  };
  for (const auto& each : icoCases) {
    BrandResult<std::vector<IconImage>> images = ReadIcoFile(each.file);
    ASSERT_FALSE(images) << each.name;
    EXPECT_NE(images.error().message.find(each.message), std::string::npos)
        << each.name << ": " << images.error().message;
  }
  const struct {
    const char* name;
    std::string file;
    const char* message;
  } pngCases[] = {
      {"not square", SourceFile("tests/fixtures/pictures/translucent.png"), "the picture is not square"},
      {"larger than 256", SourceFile("tests/fixtures/pictures/square_300.png"), "larger than 256 pixels"},
      {"no IEND", png.substr(0, png.size() - 12), "PNG cut short"},
      {"a palette", hostile::PngOfColourType(png, hostile::kPngPalette), "another kind than 8-bit RGBA"},
  };
  for (const auto& each : pngCases) {
    BrandResult<IconImage> image = ReadPngIcon(each.file);
    ASSERT_FALSE(image) << each.name;
    EXPECT_NE(image.error().message.find(each.message), std::string::npos)
        << each.name << ": " << image.error().message;
  }
}

}  // namespace
}  // namespace launcher::brand
