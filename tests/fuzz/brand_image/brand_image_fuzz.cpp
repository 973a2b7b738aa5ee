// The branding library's image readers and writer on any bytes: reading never
// fails but with a message, and whatever it brands reads back as an image
// whose resources are the ones written, and branding that again changes
// nothing.
#include <cstdint>

#include "brand/image_branding.h"
#include "brand/image_description.h"
#include "brand/pe_image.h"
#include "brand/resource_tree.h"
#include "fuzz_check.h"

using namespace launcher;

using namespace launcher::brand;

namespace {

BrandRequest Request() {
  BrandRequest request;
  request.settings = "[Application]\r\nMain Class=a.B\r\n";
  request.icon = std::vector<brand::IconImage>{
      {.width = 16, .height = 16, .colorCount = 0, .planes = 1, .bitCount = 32, .data = "icon"}};
  request.fileVersion = brand::FourPartVersion{1, 2, 3, 4};
  request.versionStrings = {{u"ProductName", u"Fuzz"}};
  request.subsystem = kSubsystemConsole;
  request.signature = SignaturePolicy::Strip;
  return request;
}

void CheckMessage(const brand::BrandError& error) { fuzz::Check(!error.message.empty(), "a refusal says why"); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view file = fuzz::Bytes(data, size);
  brand::BrandResult<std::string> description = DescribeImage(file);
  if (!description) CheckMessage(description.error());
  brand::BrandResult<std::string> branded = BrandImage(file, Request());
  if (!branded) {
    CheckMessage(branded.error());
    return 0;
  }
  brand::BrandResult<PeImage> image = ReadPeImage(*branded);
  fuzz::Check(static_cast<bool>(image), "a branded image reads as an image");
  const PeSection* section = image->SectionAt(image->Directory(PeDirectoryIndex::Resource).address);
  fuzz::Check(section != nullptr, "a branded image has its resources where the directory says");
  brand::BrandResult<ResourceList> resources =
      ParseResources(std::string_view(*branded).substr(section->rawOffset, section->rawSize), section->virtualAddress);
  fuzz::Check(static_cast<bool>(resources), "the resources written read back");
  brand::BrandResult<std::string> again = BrandImage(*branded, Request());
  fuzz::Check(again && *again == *branded, "branding a branded image again changes nothing");
  return 0;
}
