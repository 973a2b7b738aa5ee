#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "archive_builder.h"
#include "runtime_install/unpacking.h"
#include "test_support.h"

namespace launcher::runtime_install {

namespace {

using runtime_install::ArchiveFormat;
using runtime_install::ArchiveReader;
using runtime_install::MemorySource;

platform::Expected<runtime_install::UnpackedArchive, runtime_install::UnpackFailure> UnpackInto(
    const std::string& archive, ArchiveFormat format, const WideString& folder) {
  MemorySource source(archive);
  std::unique_ptr<ArchiveReader> reader = ArchiveReader::Open(format, source);
  return runtime_install::Unpack(*reader, folder, runtime_install::kRuntimeArchiveLimits,
                                 {.progress = [](uint64_t, uint64_t) {}, .cancelled = [] { return false; }});
}

TEST(UnpackingPosixTest, ProgramsKeepTheirExecuteBitAndLinksTheirTarget) {
  const std::vector<test::ArchiveItem> items = {
      test::File("jdk/bin/java", "program", 0755), test::File("jdk/lib/data", "data", 0644),
      test::Link("jdk/legal/LICENSE", "../lib/data"), test::Link("jdk/bin/javaw", "java")};
  for (ArchiveFormat format : {ArchiveFormat::Zip, ArchiveFormat::TarGz}) {
    test::TempDir dir;
    auto unpacked =
        UnpackInto(format == ArchiveFormat::Zip ? test::MakeZip(items) : test::MakeTarGz(items), format, dir.Path());
    ASSERT_TRUE(unpacked) << unpacked.error().entry << ": " << unpacked.error().reason;
    struct stat program, data;
    ASSERT_EQ(stat((test::NativePath(dir.Path()) / "jdk/bin/java").c_str(), &program), 0);
    ASSERT_EQ(stat((test::NativePath(dir.Path()) / "jdk/lib/data").c_str(), &data), 0);
    EXPECT_NE(program.st_mode & S_IXUSR, 0u);
    EXPECT_EQ(data.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH), 0u);
    const std::filesystem::path license = test::NativePath(dir.Path()) / "jdk/legal/LICENSE";
    EXPECT_TRUE(std::filesystem::is_symlink(license));
    EXPECT_EQ(std::filesystem::read_symlink(license), "../lib/data");
    EXPECT_EQ(test::ReadBytes(test::FromNative(license)), "data");
  }
}

// Links are made last: a file under a link's name lands in a real folder, and
// the link then finds its name taken, so nothing is ever written through one.
TEST(UnpackingPosixTest, NothingIsWrittenThroughALinkOfTheArchive) {
  test::TempDir dir;
  const WideString folder = test::Join({dir.Path(), L"target"});
  std::filesystem::create_directories(test::NativePath(folder) / "jdk/elsewhere");
  const std::vector<test::ArchiveItem> items = {test::Link("jdk/lib", "elsewhere"), test::File("jdk/lib/x", "x")};
  auto unpacked = UnpackInto(test::MakeTarGz(items), ArchiveFormat::TarGz, folder);
  ASSERT_FALSE(unpacked);
  EXPECT_EQ(unpacked.error().entry, "jdk/lib");
  EXPECT_FALSE(std::filesystem::exists(test::NativePath(folder) / "jdk/elsewhere/x"));
}

}  // namespace

}  // namespace launcher::runtime_install
