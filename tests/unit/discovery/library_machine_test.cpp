#include "discovery/library_machine.h"

#include <gtest/gtest.h>

#include <string>

#include "discovery/runtime_resolution.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/runtime_layout.h"
#include "test_support.h"

namespace launcher::discovery {

namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) bytes.push_back(static_cast<char>(value));
  return bytes;
}

// A DOS header whose NT headers start at 0x40, followed by the PE signature and a
// file header with the given machine.
std::string PeImage(uint16_t machine, uint32_t ntOffset = 0x40) {
  std::string image(0x40, '\0');
  image[0] = 'M';
  image[1] = 'Z';
  for (int i = 0; i < 4; ++i) image[0x3C + i] = static_cast<char>((ntOffset >> (8 * i)) & 0xFF);
  image += std::string("PE\0\0", 4) + Bytes({machine & 0xFF, machine >> 8}) + std::string(18, '\0');
  return image;
}

std::string ElfImage(int elfClass, uint16_t machine) {
  std::string image = Bytes({0x7F, 'E', 'L', 'F', elfClass, 1, 1, 0}) + std::string(10, '\0');
  return image + Bytes({machine & 0xFF, machine >> 8}) + std::string(44, '\0');
}

TEST(LibraryMachineTest, HeadersBuiltByHand) {
  struct Case {
    const char* what;
    std::string image;
    bool i386;
  } cases[] = {
      {"PE i386", PeImage(0x014C), true},
      {"PE x86-64", PeImage(0x8664), false},
      {"PE ARM64", PeImage(0xAA64), false},
      {"ELF 32-bit x86", ElfImage(1, 3), true},
      {"ELF 64-bit x86-64", ElfImage(2, 62), false},
      {"ELF 64-bit claiming machine 3", ElfImage(2, 3), false},
      {"no MZ", "XZ" + PeImage(0x014C).substr(2), false},
      {"wrong signature", PeImage(0x014C).replace(0x40, 2, "NE"), false},
      {"only MZ", "MZ", false},
      {"empty", "", false},
      {"cut inside the DOS header", PeImage(0x014C).substr(0, 0x3E), false},
      {"cut before the machine field", PeImage(0x014C).substr(0, 0x44), false},
      {"cut inside the machine field", PeImage(0x014C).substr(0, 0x45), false},
      {"cut right after the machine field", PeImage(0x014C).substr(0, 0x46), true},
      {"NT headers beyond the end", PeImage(0x014C, 0x7FFFFFF0), false},
      {"NT header offset at the top of the range", PeImage(0x014C, 0xFFFFFFFF), false},
      {"ELF cut before the machine", ElfImage(1, 3).substr(0, 19), false},
      // NT headers inside the DOS header, as packed images have them, are read where they are.
      {"NT headers at 0x20", PeImage(0x014C, 0x20).replace(0x20, 6, std::string("PE\0\0\x4C\x01", 6)), true},
      // Found by fuzzing: the machine field is the header offset field itself (0x38 + 4 = 0x3C).
      {"machine field on the header offset", PeImage(0x014C, 0x38).replace(0x38, 4, std::string("PE\0\0", 4)), false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsI386Library(c.image), c.i386) << c.what;
}

// Only images of another machine are foreign: this launcher's own machine and
// bytes that are no image at all are not.
TEST(LibraryMachineTest, ForeignLibrariesAreThoseOfAnotherMachine) {
  const uint16_t otherPe = platform::kOwnPeMachine == 0x8664 ? 0xAA64 : 0x8664;
  const uint16_t otherElf = platform::kOwnElfMachine == 62 ? 183 : 62;
  EXPECT_FALSE(IsForeignLibrary(PeImage(platform::kOwnPeMachine)));
  EXPECT_FALSE(IsForeignLibrary(ElfImage(2, platform::kOwnElfMachine)));
  EXPECT_FALSE(IsForeignLibrary("a JVM library"));
  EXPECT_TRUE(IsForeignLibrary(PeImage(otherPe)));
  EXPECT_TRUE(IsForeignLibrary(ElfImage(2, otherElf)));
  EXPECT_TRUE(IsForeignLibrary(PeImage(0x014C)));
  EXPECT_TRUE(IsForeignLibrary(ElfImage(1, 3)));
  EXPECT_FALSE(IsForeignLibrary(PeImage(otherPe).substr(0, 0x45)));
}

std::string MappedBytes(const WideString& path) {
  const platform::SystemResult<platform::MappedFile> file = platform::MappedFile::Open(path);
  return file ? std::string(file->Bytes()) : std::string();
}

TEST(LibraryMachineTest, RealImages) {
  const WideString folder = WideString(L"" TEST_IMAGE_FOLDER);
  EXPECT_TRUE(IsI386Library(MappedBytes(test::Join({folder, L"tiny_i686.dll"}))));
  std::string x64 = MappedBytes(test::Join({folder, L"tiny_x86_64.dll"}));
  ASSERT_GT(x64.size(), 64u);
  EXPECT_FALSE(IsI386Library(x64));
  // This test program: a 64-bit executable of the system it runs on.
  std::string self = MappedBytes(platform::QueryModulePath().value_or(L""));
  ASSERT_GT(self.size(), 64u);
  EXPECT_FALSE(IsI386Library(self));
}

// Whether a runtime the user points at needs the companion: only a 32-bit
// library with a companion configured does.
class CompanionCheckTest : public testing::Test {
 protected:
  bool Check(const std::string& image, const WideString& pairProduct) {
    WideString library = dir_.Path(L"jvm.dll");
    test::WriteBytes(library, image);
    return RuntimeChosenByUser(library, !pairProduct.empty()).needsCompanion;
  }

  test::TempDir dir_;
};

TEST_F(CompanionCheckTest, SetsTheFlagOnlyForA32BitLibraryWithAPairProduct) {
  EXPECT_TRUE(Check(PeImage(0x014C), L"app32.exe"));
  EXPECT_FALSE(Check(PeImage(0x014C), L""));
  EXPECT_FALSE(Check(PeImage(0x8664), L"app32.exe"));
  EXPECT_FALSE(Check("", L"app32.exe"));  // an empty file cannot be mapped
  EXPECT_FALSE(Check(PeImage(0x014C).substr(0, 0x44), L"app32.exe"));
}

TEST_F(CompanionCheckTest, AMissingLibraryClearsTheFlag) {
  EXPECT_FALSE(RuntimeChosenByUser(dir_.Path(L"missing.dll"), true).needsCompanion);
}

}  // namespace

}  // namespace launcher::discovery
