#include "runtime_install/archive_reader.h"

#include <gtest/gtest.h>

#include "archive_builder.h"

namespace launcher::runtime_install {

namespace {

using runtime_install::ArchiveEntry;
using runtime_install::ArchiveFormat;
using runtime_install::ArchiveReader;
using runtime_install::EntryKind;
using runtime_install::MemorySource;

// What a reading gave: each entry's name, kind and bytes.
class RecordingWriter final : public runtime_install::EntryWriter {
 public:
  bool Begin(const ArchiveEntry& entry) override {
    entries.push_back(entry);
    contents.emplace_back();
    return true;
  }
  bool Write(std::string_view bytes) override {
    contents.back().append(bytes);
    return true;
  }
  bool End() override { return true; }

  std::vector<ArchiveEntry> entries;
  std::vector<std::string> contents;
};

std::string Big(size_t size) {
  std::string bytes;
  for (size_t i = 0; bytes.size() < size; ++i) bytes += std::to_string(i * 7919 % 1000003) + ",";
  bytes.resize(size);
  return bytes;
}

// Bytes that do not compress (nor repeat those of another size).
std::string Noise(size_t size) {
  std::string bytes(size, '\0');
  uint32_t state = static_cast<uint32_t>(size) * 2654435761u;
  for (char& byte : bytes) {
    state = state * 1103515245 + 12345;
    byte = static_cast<char>(state >> 24);
  }
  return bytes;
}

const std::vector<test::ArchiveItem> kRuntime = {
    test::Folder("jdk-21/"),
    test::File("jdk-21/release", "JAVA_VERSION=\"21.0.2\"\n"),
    test::File("jdk-21/bin/java", "#!program", 0755),
    test::File("jdk-21/lib/modules", Big(700 * 1024)),
    test::File("jdk-21/lib/empty", ""),
    test::Link("jdk-21/legal/java.sql/LICENSE", "../java.base/LICENSE"),
};

struct Made {
  const char* form;
  ArchiveFormat format;
  std::string bytes;
};

std::vector<Made> EveryForm(const std::vector<test::ArchiveItem>& items) {
  return {
      {"zip deflated", ArchiveFormat::Zip, test::MakeZip(items, test::ZipLayout::Deflated)},
      {"zip stored", ArchiveFormat::Zip, test::MakeZip(items, test::ZipLayout::Stored)},
      {"zip64", ArchiveFormat::Zip, test::MakeZip(items, test::ZipLayout::Zip64)},
      {"tar.gz GNU", ArchiveFormat::TarGz, test::MakeTarGz(items, test::LongNames::Gnu)},
      {"tar.gz pax", ArchiveFormat::TarGz, test::MakeTarGz(items, test::LongNames::Pax)},
  };
}

TEST(ArchiveReaderTest, EveryFormListsAndReadsTheSameEntries) {
  for (const Made& made : EveryForm(kRuntime)) {
    SCOPED_TRACE(made.form);
    EXPECT_EQ(runtime_install::FormatOfBytes(made.bytes), made.format);
    MemorySource source(made.bytes);
    std::unique_ptr<ArchiveReader> reader = ArchiveReader::Open(made.format, source);
    auto listed = reader->List(100);
    ASSERT_TRUE(listed) << listed.error().entry << ": " << listed.error().reason;
    RecordingWriter writer;
    auto read = reader->Read(writer);
    ASSERT_TRUE(read) << read.error().entry << ": " << read.error().reason;
    ASSERT_EQ(listed->size(), kRuntime.size());
    ASSERT_EQ(writer.entries.size(), kRuntime.size());
    for (size_t i = 0; i < kRuntime.size(); ++i) {
      const test::ArchiveItem& item = kRuntime[i];
      const ArchiveEntry& entry = (*listed)[i];
      EXPECT_EQ(entry.name, item.name);
      EXPECT_EQ(writer.entries[i].name, item.name);
      switch (item.kind) {
        case test::ArchiveItem::Kind::File:
          EXPECT_EQ(entry.kind, EntryKind::File);
          EXPECT_EQ(entry.size, item.content.size());
          EXPECT_EQ(entry.executable, item.mode == 0755) << item.name;
          EXPECT_EQ(writer.contents[i], item.content) << item.name;
          break;
        case test::ArchiveItem::Kind::Folder:
          EXPECT_EQ(entry.kind, EntryKind::Folder);
          break;
        case test::ArchiveItem::Kind::Link:
          EXPECT_EQ(entry.kind, EntryKind::SymbolicLink);
          EXPECT_EQ(entry.linkTarget, item.content);
          break;
      }
    }
  }
}

TEST(ArchiveReaderTest, LongNamesAndLinkTargetsComeWhole) {
  const std::string deep = "jdk/" + std::string(150, 'd') + "/" + std::string(120, 'f');
  const std::string target = "../" + std::string(180, 't');
  const std::vector<test::ArchiveItem> items = {test::File(deep, "x"), test::Link("jdk/l", target)};
  for (const Made& made : EveryForm(items)) {
    SCOPED_TRACE(made.form);
    MemorySource source(made.bytes);
    auto listed = ArchiveReader::Open(made.format, source)->List(10);
    ASSERT_TRUE(listed) << listed.error().reason;
    ASSERT_EQ(listed->size(), 2u);
    EXPECT_EQ((*listed)[0].name, deep);
    EXPECT_EQ((*listed)[1].linkTarget, target);
  }
}

TEST(ArchiveReaderTest, ListingStopsJustBeyondTheEntryLimit) {
  std::vector<test::ArchiveItem> items;
  for (int i = 0; i < 20; ++i) items.push_back(test::File("f" + std::to_string(i), "x"));
  for (const Made& made : EveryForm(items)) {
    SCOPED_TRACE(made.form);
    MemorySource source(made.bytes);
    auto listed = ArchiveReader::Open(made.format, source)->List(5);
    ASSERT_TRUE(listed);
    EXPECT_EQ(listed->size(), 6u);
  }
}

// A damaged archive is an error that names the entry where it showed, never
// contents other than the ones stored.
TEST(ArchiveReaderTest, DamageIsAnErrorNamingTheEntry) {
  const std::vector<test::ArchiveItem> items = {test::File("a", Noise(5000)), test::File("b", Noise(9000))};
  std::string zip = test::MakeZip(items, test::ZipLayout::Deflated);
  std::string stored = test::MakeZip(items, test::ZipLayout::Stored);
  stored[30 + 1 + 100] ^= 0x55;  // a byte of a's contents: its checksum no longer matches
  std::string truncatedGzip = test::MakeTarGz(items);
  truncatedGzip.resize(truncatedGzip.size() / 2);
  std::string tarHeader = test::MakeTarGz(items);
  struct Case {
    const char* what;
    ArchiveFormat format;
    std::string bytes;
    const char* entry;
  } cases[] = {
      {"checksum", ArchiveFormat::Zip, stored, "a"},
      {"no end record", ArchiveFormat::Zip, zip.substr(0, zip.size() - 22), ""},
      {"cut in the middle", ArchiveFormat::TarGz, truncatedGzip, "b"},
      {"not gzip", ArchiveFormat::TarGz, "plain text, not compressed at all", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MemorySource source(c.bytes);
    std::unique_ptr<ArchiveReader> reader = ArchiveReader::Open(c.format, source);
    RecordingWriter writer;
    auto listed = reader->List(100);
    auto read = listed ? reader->Read(writer)
                       : platform::Expected<platform::Done, runtime_install::ArchiveError>(listed.error());
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().entry, c.entry) << read.error().reason;
    EXPECT_FALSE(read.error().stopped);
  }
}

TEST(ArchiveReaderTest, EncryptedEntriesAndUnknownMethodsAreRefused) {
  std::string encrypted = test::MakeZip({test::File("secret", "x")}, test::ZipLayout::Stored);
  const size_t central = encrypted.find("PK\x01\x02");
  encrypted[central + 8] |= 1;
  std::string bzip2 = test::MakeZip({test::File("packed", "x")}, test::ZipLayout::Stored);
  bzip2[bzip2.find("PK\x01\x02") + 10] = 12;
  for (const auto& [bytes, reason] :
       {std::pair{encrypted, "an encrypted entry"}, {bzip2, "compressed with method 12, which is not supported"}}) {
    MemorySource source(bytes);
    auto listed = ArchiveReader::Open(ArchiveFormat::Zip, source)->List(10);
    ASSERT_FALSE(listed);
    EXPECT_EQ(listed.error().reason, reason);
  }
}

TEST(ArchiveReaderTest, ConcatenatedGzipMembersReadAsOneArchive) {
  // pigz and some build tools write a tar.gz as several gzip members.
  const std::string tar = test::MakeTar({test::File("a", "first"), test::File("b", "second")});
  const std::string members = test::Gzipped(tar.substr(0, 700)) + test::Gzipped(tar.substr(700));
  MemorySource source(members);
  RecordingWriter writer;
  ASSERT_TRUE(ArchiveReader::Open(ArchiveFormat::TarGz, source)->Read(writer));
  EXPECT_EQ(writer.contents, (std::vector<std::string>{"first", "second"}));
}

}  // namespace

}  // namespace launcher::runtime_install
