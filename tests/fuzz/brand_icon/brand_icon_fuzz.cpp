// The branding library's icon readers on any bytes: an .ico file, a PNG, and
// the icon group built from what they accept, which lists every image.
#include <cstdint>

#include "brand/icon_file.h"
#include "brand/version_info.h"
#include "fuzz_check.h"

using namespace launcher;

using namespace launcher::brand;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = fuzz::Bytes(data, size);
  brand::BrandResult<std::vector<IconImage>> images = ReadIcoFile(bytes);
  if (images) {
    fuzz::Check(!images->empty(), "an accepted icon has images");
    const std::vector<IconGroupEntry> group = ReadIconGroup(BuildIconGroup(*images, 1));
    fuzz::Check(group.size() == images->size(), "the group lists every image");
    for (size_t i = 0; i < group.size(); ++i) {
      fuzz::Check(group[i].width == (*images)[i].width && group[i].width >= 1 && group[i].width <= 256,
                  "the group keeps each image's width, 1 to 256");
    }
  }
  brand::BrandResult<IconImage> png = ReadPngIcon(bytes);
  if (png) fuzz::Check(png->width == png->height && png->width <= 256, "an accepted PNG is square, at most 256");
  ReadIconGroup(bytes);
  ParseVersionInfo(bytes);
  return 0;
}
