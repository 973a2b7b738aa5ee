#include "jvm/library_imports.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "platform/files.h"
#include "test_support.h"

namespace launcher::jvm {

namespace {

using Names = std::vector<std::string>;

void Put(std::string& image, size_t offset, uint32_t value, size_t width) {
  if (image.size() < offset + width) image.resize(offset + width, '\0');
  for (size_t i = 0; i < width; ++i) image[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A PE image (PE32+ or PE32) with one section at address 0x1000, file offset
// 0x200, holding the import descriptors, a descriptor of zeros, then the names.
struct ImageBuilder {
  bool pe32 = false;
  uint32_t directoryCount = 16;
  uint32_t nameAddressShift = 0;  // moves every name's address, to point it elsewhere
  bool terminated = true;

  std::string Build(const Names& names) const {
    std::string image(0x200, '\0');
    image[0] = 'M';
    image[1] = 'Z';
    Put(image, 0x3C, 0x40, 4);
    image.replace(0x40, 4, std::string("PE\0\0", 4));
    const size_t optional = 0x40 + 24, optionalSize = (pe32 ? 96 : 112) + 16 * 8;
    Put(image, 0x44, pe32 ? 0x014C : 0x8664, 2);
    Put(image, 0x46, 1, 2);  // one section
    Put(image, 0x54, static_cast<uint32_t>(optionalSize), 2);
    Put(image, optional, pe32 ? 0x10B : 0x20B, 2);
    const size_t count = optional + (pe32 ? 92 : 108);
    Put(image, count, directoryCount, 4);
    Put(image, count + 4 + 8, 0x1000, 4);  // the import directory
    const size_t descriptors = (names.size() + (terminated ? 1 : 0)) * 20;
    std::string data(descriptors, '\0');
    for (size_t i = 0; i < names.size(); ++i) {
      Put(data, i * 20 + 12, static_cast<uint32_t>(0x1000 + data.size() + nameAddressShift), 4);
      Put(data, i * 20 + 16, 0x2000, 4);
      data += names[i] + '\0';
    }
    const size_t section = optional + optionalSize;
    Put(image, section + 8, static_cast<uint32_t>(data.size()), 4);
    Put(image, section + 12, 0x1000, 4);
    Put(image, section + 16, static_cast<uint32_t>(data.size()), 4);
    Put(image, section + 20, 0x200, 4);
    return image + data;
  }
};

TEST(LibraryImportsTest, TheImportDirectoryOfBothFormats) {
  const Names names{"vcruntime140.dll", "KERNEL32.dll", "api-ms-win-crt-runtime-l1-1-0.dll"};
  EXPECT_EQ(ImportedLibraries(ImageBuilder{}.Build(names)), names);
  EXPECT_EQ(ImportedLibraries(ImageBuilder{true}.Build(names)), names);
  EXPECT_EQ(ImportedLibraries(ImageBuilder{}.Build({})), Names{});
}

TEST(LibraryImportsTest, WhatIsNotWellFormedImportsNothingOrIsSkipped) {
  ImageBuilder noImportDirectory;
  noImportDirectory.directoryCount = 1;
  EXPECT_EQ(ImportedLibraries(noImportDirectory.Build({"a.dll"})), Names{});

  ImageBuilder namesElsewhere;
  namesElsewhere.nameAddressShift = 0x100000;  // in no section
  EXPECT_EQ(ImportedLibraries(namesElsewhere.Build({"a.dll", "b.dll"})), Names{});

  // Without the descriptor of zeros the table ends where its section does.
  ImageBuilder unterminated;
  unterminated.terminated = false;
  EXPECT_EQ(ImportedLibraries(unterminated.Build({"a.dll"})).front(), "a.dll");

  std::string notPe = ImageBuilder{}.Build({"a.dll"});
  notPe[0x40] = 'N';
  EXPECT_EQ(ImportedLibraries(notPe), Names{});
  std::string farHeaders = ImageBuilder{}.Build({"a.dll"});
  Put(farHeaders, 0x3C, 0xFFFFFFF0, 4);
  EXPECT_EQ(ImportedLibraries(farHeaders), Names{});
  EXPECT_EQ(ImportedLibraries(""), Names{});
  EXPECT_EQ(ImportedLibraries("MZ"), Names{});
}

TEST(LibraryImportsTest, EveryCutOfAnImageIsReadSafely) {
  const std::string image = ImageBuilder{}.Build({"first.dll", "second.dll"});
  for (size_t size = 0; size < image.size(); ++size) {
    const Names names = ImportedLibraries(std::string_view(image).substr(0, size));
    // A cut name is no name: only whole ones, in order.
    const Names both{"first.dll", "second.dll"};
    EXPECT_TRUE(names.empty() || names == Names{"first.dll"} || names == both) << "cut at " << size;
  }
}

std::string MappedBytes(const WideString& path) {
  const platform::SystemResult<platform::MappedFile> file = platform::MappedFile::Open(path);
  return file ? std::string(file->Bytes()) : std::string();
}

TEST(LibraryImportsTest, RealImages) {
  const WideString folder = WideString(L"" TEST_IMAGE_FOLDER);
  for (const wchar_t* name : {L"tiny_x86_64.dll", L"tiny_i686.dll"}) {
    EXPECT_EQ(ImportedLibraries(MappedBytes(test::Join({folder, name}))), (Names{"KERNEL32.dll", "msvcrt.dll"}));
  }
}

}  // namespace

}  // namespace launcher::jvm
