#include "runtime_install/unpacking.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "archive_builder.h"
#include "platform/paths.h"
#include "test_support.h"

namespace launcher::runtime_install {

namespace {

using runtime_install::ArchiveFormat;
using runtime_install::ArchiveReader;
using runtime_install::MemorySource;
using runtime_install::UnpackFailure;

struct Unpacking {
  std::vector<std::pair<uint64_t, uint64_t>> progress;
  int cancelAfter = -1;  // entries; -1: never

  platform::Expected<runtime_install::UnpackedArchive, UnpackFailure> Run(const std::string& archive,
                                                                          ArchiveFormat format,
                                                                          const WideString& folder) {
    MemorySource source(archive);
    std::unique_ptr<ArchiveReader> reader = ArchiveReader::Open(format, source);
    return runtime_install::Unpack(
        *reader, folder, runtime_install::kRuntimeArchiveLimits,
        {.progress = [&](uint64_t done, uint64_t total) { progress.emplace_back(done, total); },
         .cancelled = [&] { return cancelAfter >= 0 && progress.size() >= static_cast<size_t>(cancelAfter); }});
  }
};

bool IsEmptyFolder(const WideString& folder) { return std::filesystem::is_empty(test::NativePath(folder)); }

TEST(UnpackingTest, FilesAndFoldersLandInTheFolderWithTheirBytes) {
  const std::vector<test::ArchiveItem> items = {test::Folder("jdk/"), test::File("jdk/release", "JAVA_VERSION=\"17\""),
                                                test::File("jdk/lib/deep/x.bin", std::string(300000, 'x')),
                                                test::File("jdk/empty", "")};
  for (ArchiveFormat format : {ArchiveFormat::Zip, ArchiveFormat::TarGz}) {
    test::TempDir dir;
    Unpacking unpacking;
    const std::string archive = format == ArchiveFormat::Zip ? test::MakeZip(items) : test::MakeTarGz(items);
    auto unpacked = unpacking.Run(archive, format, dir.Path());
    ASSERT_TRUE(unpacked) << unpacked.error().entry << ": " << unpacked.error().reason;
    EXPECT_EQ(unpacked->entries, 4u);
    EXPECT_EQ(unpacked->bytes, 300000u + 17u);
    EXPECT_EQ(test::ReadBytes(test::Join({dir.Path(), L"jdk", L"release"})), "JAVA_VERSION=\"17\"");
    EXPECT_EQ(test::ReadBytes(test::Join({dir.Path(), L"jdk", L"lib", L"deep", L"x.bin"})), std::string(300000, 'x'));
    EXPECT_TRUE(std::filesystem::is_regular_file(test::NativePath(test::Join({dir.Path(), L"jdk", L"empty"}))));
    EXPECT_EQ(unpacking.progress.back(), std::make_pair(uint64_t{4}, uint64_t{4}));
  }
}

// Nothing is written when any entry breaks a rule, wherever it stands.
TEST(UnpackingTest, AnArchiveBreakingARuleWritesNothing) {
  struct Case {
    std::string name;
    std::string reason;
  } cases[] = {
      {"../outside", "a \"..\" that leaves the folder"},
      {"/abs/path", "an absolute path"},
      {"jdk\\..\\..\\outside", "a \"..\" that leaves the folder"},
      {"D:\\outside", "a drive letter"},
      {"jdk/java.exe:stream", "a \":\" (an alternate data stream)"},
      {"jdk/aux.h", "a device name"},
  };
  for (const Case& c : cases) {
    const std::vector<test::ArchiveItem> items = {test::File("jdk/first", "written first?"), test::File(c.name, "x")};
    for (ArchiveFormat format : {ArchiveFormat::Zip, ArchiveFormat::TarGz}) {
      test::TempDir dir;
      const WideString folder = test::Join({dir.Path(), L"target"});
      std::filesystem::create_directories(test::NativePath(folder));
      Unpacking unpacking;
      auto unpacked =
          unpacking.Run(format == ArchiveFormat::Zip ? test::MakeZip(items) : test::MakeTarGz(items), format, folder);
      ASSERT_FALSE(unpacked) << c.name;
      EXPECT_EQ(unpacked.error().kind, UnpackFailure::Kind::BadArchive);
      EXPECT_EQ(unpacked.error().entry, c.name);
      EXPECT_EQ(unpacked.error().reason, c.reason);
      EXPECT_TRUE(IsEmptyFolder(folder)) << c.name;
      EXPECT_FALSE(std::filesystem::exists(test::NativePath(dir.Path(L"outside"))));
    }
  }
}

TEST(UnpackingTest, TwoEntriesOfOneNameAreABadArchive) {
  test::TempDir dir;
  Unpacking unpacking;
  auto unpacked = unpacking.Run(test::MakeZip({test::File("jdk/a", "1"), test::File("jdk/a", "2")}), ArchiveFormat::Zip,
                                dir.Path());
  ASSERT_FALSE(unpacked);
  EXPECT_EQ(unpacked.error().kind, UnpackFailure::Kind::BadArchive);
  EXPECT_EQ(unpacked.error().entry, "jdk/a");
  EXPECT_EQ(test::ReadBytes(test::Join({dir.Path(), L"jdk", L"a"})), "1");
}

TEST(UnpackingTest, CancelStopsAtTheNextEntry) {
  test::TempDir dir;
  Unpacking unpacking;
  unpacking.cancelAfter = 1;
  auto unpacked = unpacking.Run(test::MakeTarGz({test::File("a", "1"), test::File("b", "2"), test::File("c", "3")}),
                                ArchiveFormat::TarGz, dir.Path());
  ASSERT_FALSE(unpacked);
  EXPECT_EQ(unpacked.error().kind, UnpackFailure::Kind::Cancelled);
  EXPECT_FALSE(std::filesystem::exists(test::NativePath(dir.Path(L"b"))));
}

}  // namespace

}  // namespace launcher::runtime_install
