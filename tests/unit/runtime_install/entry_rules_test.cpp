#include "runtime_install/entry_rules.h"

#include <gtest/gtest.h>

namespace launcher::runtime_install {

namespace {

using runtime_install::ArchiveEntry;
using runtime_install::ArchiveLimits;
using runtime_install::CheckEntries;
using runtime_install::CheckEntryName;
using runtime_install::EntryKind;
using runtime_install::EntryProblem;

TEST(EntryRulesTest, NamesThatLandOutsideOrOnDevicesAreRefused) {
  struct Case {
    const char* name;
    std::optional<EntryProblem> problem;
  } cases[] = {
      {"jdk-21/bin/java", std::nullopt},
      {"jdk-21\\bin\\java.exe", std::nullopt},
      {"./jdk/./lib//x", std::nullopt},
      {"jdk/lib/console.dll", std::nullopt},  // a device name only as the whole base name
      {"jdk/COM10", std::nullopt},
      {"jdk/..foo", std::nullopt},
      {"/etc/passwd", EntryProblem::AbsolutePath},
      {"\\Windows\\x.dll", EntryProblem::AbsolutePath},
      {"//server/share/x", EntryProblem::AbsolutePath},
      {"../x", EntryProblem::ParentReference},
      {"jdk/../../x", EntryProblem::ParentReference},
      {"jdk\\..\\..\\x", EntryProblem::ParentReference},
      {"jdk/.../x", EntryProblem::ParentReference},
      {"C:x", EntryProblem::DriveLetter},
      {"c:\\Windows\\x", EntryProblem::DriveLetter},
      {"jdk/bin/java.exe:hidden", EntryProblem::StreamName},
      {"jdk/release::$DATA", EntryProblem::StreamName},
      {"jdk/CON", EntryProblem::DeviceName},
      {"jdk/con.txt", EntryProblem::DeviceName},
      {"nul", EntryProblem::DeviceName},
      {"jdk/Aux.tar.gz", EntryProblem::DeviceName},
      {"PRN", EntryProblem::DeviceName},
      {"jdk/com1", EntryProblem::DeviceName},
      {"jdk/LPT9.dll", EntryProblem::DeviceName},
      {"jdk/COM\xC2\xB9", EntryProblem::DeviceName},
      {"jdk/NUL .txt", EntryProblem::DeviceName},
      {"jdk/bin/java.", EntryProblem::UnsafeCharacter},
      {"jdk/bin /java", EntryProblem::UnsafeCharacter},
      {"jdk/a\nb", EntryProblem::UnsafeCharacter},
      {"", EntryProblem::EmptyName},
      {"./", EntryProblem::EmptyName},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckEntryName(c.name), c.problem) << c.name;
  }
  EXPECT_EQ(CheckEntryName(std::string("jdk/a\0b", 7)), EntryProblem::UnsafeCharacter);
}

ArchiveEntry FileEntry(std::string name, uint64_t size = 1) {
  return {.name = std::move(name), .kind = EntryKind::File, .size = size, .executable = false, .linkTarget = {}};
}

ArchiveEntry LinkEntry(std::string name, std::string target) {
  return {.name = std::move(name),
          .kind = EntryKind::SymbolicLink,
          .size = 0,
          .executable = false,
          .linkTarget = std::move(target)};
}

constexpr ArchiveLimits kLimits{.maxUnpackedBytes = 1000, .maxEntries = 10};

TEST(EntryRulesTest, LinksMustStayInsideThroughEveryOtherLink) {
  struct Case {
    std::vector<ArchiveEntry> entries;
    std::optional<std::string> refused;
  } cases[] = {
      {{FileEntry("jdk/legal/base/LICENSE"), LinkEntry("jdk/legal/sql/LICENSE", "../base/LICENSE")}, std::nullopt},
      {{LinkEntry("jdk/current", "."), LinkEntry("jdk/lib/libjli.so", "../current/lib/x")}, std::nullopt},
      {{LinkEntry("top", "..")}, "top"},
      {{LinkEntry("jdk/etc", "/etc")}, "jdk/etc"},
      {{LinkEntry("jdk/c", "C:\\Windows")}, "jdk/c"},
      {{LinkEntry("jdk/a/up", "../../.."), FileEntry("jdk/x")}, "jdk/a/up"},
      // Each link alone stays inside; through the first, the second leaves.
      {{LinkEntry("jdk/sub/b", "../.."), LinkEntry("jdk/a", "sub/b/..")}, "jdk/a"},
      {{LinkEntry("jdk/b", "."), LinkEntry("jdk/a", "b/b/b/../../..")}, "jdk/a"},
      {{LinkEntry("jdk/a", "b"), LinkEntry("jdk/b", "a")}, "jdk/a"},  // a circle
      {{LinkEntry("jdk/s", "x:stream")}, "jdk/s"},
      // The order of the entries does not matter.
      {{LinkEntry("jdk/a", "sub/b/.."), LinkEntry("jdk/sub/b", "../..")}, "jdk/a"},
  };
  for (const Case& c : cases) {
    std::optional<runtime_install::EntryRefusal> refusal = CheckEntries(c.entries, kLimits);
    ASSERT_EQ(refusal.has_value(), c.refused.has_value()) << c.entries.back().name;
    if (refusal) {
      EXPECT_EQ(refusal->entry, *c.refused);
      EXPECT_EQ(refusal->problem, EntryProblem::LinkOutside);
    }
  }
}

TEST(EntryRulesTest, BombsAreRefusedAtTheFirstEntryBeyondALimit) {
  std::vector<ArchiveEntry> exactly = {FileEntry("a", 600), FileEntry("b", 400)};
  EXPECT_FALSE(CheckEntries(exactly, kLimits));

  std::vector<ArchiveEntry> beyond = {FileEntry("a", 600), FileEntry("b", 401), FileEntry("c", 0)};
  std::optional<runtime_install::EntryRefusal> refusal = CheckEntries(beyond, kLimits);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->entry, "b");
  EXPECT_EQ(refusal->problem, EntryProblem::TooLarge);

  // Sizes that wrap a 64-bit sum are still too large.
  std::vector<ArchiveEntry> wrapping = {FileEntry("a", 500), FileEntry("b", ~uint64_t{0} - 100)};
  ASSERT_TRUE(CheckEntries(wrapping, kLimits));
  EXPECT_EQ(CheckEntries(wrapping, kLimits)->entry, "b");

  std::vector<ArchiveEntry> many;
  for (int i = 0; i < 11; ++i) many.push_back(FileEntry("f" + std::to_string(i), 0));
  refusal = CheckEntries(many, kLimits);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->entry, "f10");
  EXPECT_EQ(refusal->problem, EntryProblem::TooManyEntries);
}

TEST(EntryRulesTest, TheFirstOffendingEntryIsNamed) {
  std::vector<ArchiveEntry> entries = {FileEntry("jdk/bin/java"), FileEntry("jdk/../evil"), FileEntry("/abs")};
  std::optional<runtime_install::EntryRefusal> refusal = CheckEntries(entries, kLimits);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->entry, "jdk/../evil");
  EXPECT_EQ(refusal->problem, EntryProblem::ParentReference);
}

}  // namespace

}  // namespace launcher::runtime_install
