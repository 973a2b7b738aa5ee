#include "package/zip_writer.h"

#include <gtest/gtest.h>

#include "runtime_install/archive_reader.h"

namespace launcher::package {
namespace {

// The members as the runtime install's reader gives them back, each checked
// against its size and CRC on the way.
class ReadMembers final : public runtime_install::EntryWriter {
 public:
  bool Begin(const runtime_install::ArchiveEntry& entry) override {
    members.push_back({.name = entry.name, .bytes = {}});
    anyExecutable = anyExecutable || entry.executable;
    return true;
  }
  bool Write(std::string_view bytes) override {
    members.back().bytes.append(bytes);
    return true;
  }
  bool End() override { return true; }

  std::vector<ZipMember> members;
  bool anyExecutable = false;
};

TEST(ZipWriterTest, TheMembersComeBackWholeAndTheSameMembersGiveTheSameBytes) {
  const std::vector<ZipMember> members{
      {.name = "My App/MyApp.exe", .bytes = std::string(200000, 'M') + "end"},
      {.name = "My App/empty", .bytes = ""},
      {.name = "My App/lib/\xC3\xA9t\xC3\xA9.jar", .bytes = "jar"},
  };
  PackageResult<std::string> archive = ZipArchive(members);
  ASSERT_TRUE(archive) << archive.error().message;
  EXPECT_EQ(ZipArchive(members).value_or(""), *archive);
  EXPECT_LT(archive->size(), 10000u) << "the members are deflated";

  runtime_install::MemorySource source(*archive);
  ReadMembers read;
  auto done = runtime_install::ArchiveReader::Open(runtime_install::ArchiveFormat::Zip, source)->Read(read);
  ASSERT_TRUE(done) << done.error().entry << ": " << done.error().reason;
  ASSERT_EQ(read.members.size(), members.size());
  for (size_t i = 0; i < members.size(); ++i) {
    EXPECT_EQ(read.members[i].name, members[i].name);
    EXPECT_EQ(read.members[i].bytes, members[i].bytes) << members[i].name;
  }
  EXPECT_FALSE(read.anyExecutable) << "no permissions are stored";
}

TEST(ZipWriterTest, MoreMembersThanTheClassicFormatListsAreRefused) {
  PackageResult<std::string> archive = ZipArchive(std::vector<ZipMember>(0x10000, {.name = "f", .bytes = ""}));
  ASSERT_FALSE(archive);
  EXPECT_NE(archive.error().message.find("more than 65535 files"), std::string::npos) << archive.error().message;
}

}  // namespace
}  // namespace launcher::package
