#include "platform/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace launcher::platform {

// The file API on both systems: reading, writing, replacing a file's contents
// whole (a missing one made, a read-only one left alone), moving, removing,
// and what a path names.

namespace {

namespace fs = std::filesystem;
using test::Join;

void MakeReadOnly(const WideString& path) {
  fs::permissions(test::NativePath(path), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

class FilesTest : public testing::Test {
 protected:
  std::vector<fs::path> Entries() {
    return std::vector<fs::path>(fs::directory_iterator(test::NativePath(dir_.Path())), fs::directory_iterator());
  }

  test::TempDir dir_;
  WideString path_ = dir_.Path(L"settings.ini");
};

// A small file of another program: its start, never more than the limit, and
// nothing from what only stands in its place.
TEST_F(FilesTest, TheStartOfAFileIsReadUpToTheLimit) {
  const std::string bytes = std::string(100, 'a') + std::string(100, 'b');
  ASSERT_TRUE(platform::WriteFileBytes(dir_.Path(L"file"), bytes));
  ASSERT_TRUE(platform::WriteFileBytes(dir_.Path(L"empty"), ""));
  fs::create_directory(test::NativePath(dir_.Path(L"folder")));
  EXPECT_EQ(platform::ReadFileStart(dir_.Path(L"file"), 150).value_or("?"), bytes.substr(0, 150));
  EXPECT_EQ(platform::ReadFileStart(dir_.Path(L"file"), 1000).value_or("?"), bytes);
  EXPECT_EQ(platform::ReadFileStart(dir_.Path(L"empty"), 10).value_or("?"), "");
  EXPECT_FALSE(platform::ReadFileStart(dir_.Path(L"folder"), 10));
  EXPECT_FALSE(platform::ReadFileStart(dir_.Path(L"missing"), 10));
}

TEST_F(FilesTest, WrittenBytesReadBackWholeAndAWriteEmptiesFirst) {
  const WideString path = dir_.Path(L"data.bin");
  const std::string bytes = std::string("a\0b\r\n\xFF", 6) + std::string(10000, 'x');
  ASSERT_TRUE(platform::WriteFileBytes(path, bytes));
  EXPECT_EQ(platform::ReadWholeFile(path).value_or("?"), bytes);
  ASSERT_TRUE(platform::WriteFileBytes(path, "x"));
  EXPECT_EQ(platform::ReadWholeFile(path).value_or("?"), "x");
  ASSERT_TRUE(platform::WriteFileBytes(path, ""));
  EXPECT_EQ(platform::ReadWholeFile(path).value_or("?"), "");
  EXPECT_FALSE(platform::WriteFileBytes(Join({dir_.Path(L"no folder"), L"data.bin"}), "x"));
}

// The INI writer creates a missing file but must not replace one it cannot read.
TEST_F(FilesTest, AReadErrorTellsAMissingFileFromOneThatCannotBeRead) {
  for (const WideString& missing : {dir_.Path(L"none.ini"), Join({dir_.Path(L"no folder"), L"none.ini"})}) {
    const platform::SystemResult<std::string> read = platform::ReadWholeFile(missing);
    ASSERT_FALSE(read);
    EXPECT_TRUE(platform::IsNotFound(read.error())) << read.error().code;
  }
  fs::create_directory(test::NativePath(dir_.Path(L"folder")));
  const platform::SystemResult<std::string> folder = platform::ReadWholeFile(dir_.Path(L"folder"));
  ASSERT_FALSE(folder);
  EXPECT_FALSE(platform::IsNotFound(folder.error())) << folder.error().code;
}

TEST_F(FilesTest, AMoveReplacesEvenAReadOnlyFileAndDeleteRemovesOne) {
  const WideString target = dir_.Path(L"archive");
  test::WriteBytes(target, "old");
  MakeReadOnly(target);
  test::WriteBytes(dir_.Path(L"new"), "new");
  ASSERT_TRUE(platform::MoveFileReplacing(dir_.Path(L"new"), target));
  EXPECT_EQ(test::ReadBytes(target), "new");
  EXPECT_FALSE(platform::FileExists(dir_.Path(L"new")));
  EXPECT_FALSE(platform::MoveFileReplacing(dir_.Path(L"new"), target));

  MakeReadOnly(target);
  EXPECT_TRUE(platform::RemoveFile(target));
  EXPECT_FALSE(platform::FileExists(target));
  EXPECT_FALSE(platform::RemoveFile(target));
}

TEST_F(FilesTest, AFolderIsMadeOnceAndRemovedWhenEmpty) {
  const WideString folder = dir_.Path(L"folder");
  EXPECT_EQ(platform::MakeFolder(folder).value_or(platform::FolderCreation::AlreadyThere),
            platform::FolderCreation::Made);
  EXPECT_EQ(platform::MakeFolder(folder).value_or(platform::FolderCreation::Made),
            platform::FolderCreation::AlreadyThere);
  EXPECT_FALSE(platform::MakeFolder(Join({dir_.Path(L"no folder"), L"folder"})));
  test::Touch(Join({folder, L"file"}));
  EXPECT_FALSE(platform::RemoveEmptyFolder(folder));
  ASSERT_TRUE(platform::RemoveFile(Join({folder, L"file"})));
  EXPECT_TRUE(platform::RemoveEmptyFolder(folder));
  EXPECT_FALSE(platform::FileExists(folder));
}

TEST_F(FilesTest, IdentityTellsFilesFromFoldersAndChanges) {
  const WideString file = dir_.Path(L"a.jar");
  test::WriteBytes(file, "12345");
  const platform::FileIdentity identity = platform::QueryFileIdentity(file);
  EXPECT_TRUE(identity.exists);
  EXPECT_TRUE(identity.regularFile);
  EXPECT_EQ(identity.size, 5u);
  // Nanoseconds since 1970: a file written now lies well after 2020.
  EXPECT_GT(identity.modified, int64_t{1577836800} * 1000000000);

  // Whole seconds apart (some C++ runtimes set times to the second only).
  const auto earlier = std::chrono::floor<std::chrono::seconds>(fs::last_write_time(test::NativePath(file)));
  fs::last_write_time(test::NativePath(file), earlier);
  const int64_t before = platform::QueryFileIdentity(file).modified;
  fs::last_write_time(test::NativePath(file), earlier + std::chrono::seconds(10));
  EXPECT_EQ(platform::QueryFileIdentity(file).modified - before, int64_t{10} * 1000000000);

  const platform::FileIdentity folder = platform::QueryFileIdentity(dir_.Path());
  EXPECT_TRUE(folder.exists);
  EXPECT_FALSE(folder.regularFile);
  EXPECT_FALSE(platform::QueryFileIdentity(dir_.Path(L"missing")).exists);
}

TEST_F(FilesTest, ReplacingTheContentsLeavesNoOtherFile) {
  test::WriteBytes(path_, "[A]\r\nk=a longer old value\r\n");
  ASSERT_TRUE(platform::ReplaceFileContents(path_, "[A]\r\nk=new\r\n"));
  EXPECT_EQ(test::ReadBytes(path_), "[A]\r\nk=new\r\n");
  EXPECT_EQ(Entries(), std::vector<fs::path>{test::NativePath(path_)});
}

TEST_F(FilesTest, ReplacingCreatesAMissingFileInAFolderThatExists) {
  ASSERT_TRUE(platform::ReplaceFileContents(path_, "[A]\r\n"));
  EXPECT_EQ(test::ReadBytes(path_), "[A]\r\n");
  EXPECT_FALSE(platform::ReplaceFileContents(Join({dir_.Path(L"no folder"), L"x.ini"}), "[A]\r\n"));
}

TEST_F(FilesTest, ReplacingLeavesAReadOnlyFileAsItWas) {
  test::WriteBytes(path_, "[A]\r\nk=old\r\n");
  const fs::path native = test::NativePath(path_);
  fs::permissions(native, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_FALSE(platform::ReplaceFileContents(path_, "[A]\r\nk=new\r\n"));
  EXPECT_EQ(test::ReadBytes(path_), "[A]\r\nk=old\r\n");
  EXPECT_EQ(Entries(), std::vector<fs::path>{native});
  fs::permissions(native, fs::perms::owner_write, fs::perm_options::add);
}

// ---- Rewriting a file in place against a file in memory that fails when
// told: whatever fails, the file ends up holding either the old or the new
// bytes, and the error is the failing step's.

constexpr uint32_t kWriteError = 28;
constexpr uint32_t kFlushError = 5;

class FileInMemory {
 public:
  explicit FileInMemory(std::string bytes) : bytes_(std::move(bytes)) {}

  // The space the disk has for the file; writes beyond it fail, having written what fits.
  uint64_t capacity = UINT64_MAX;
  int failWriteNumber = 0;  // the writeAt call (counting from 1) that fails; 0: none
  bool failFlush = false;
  int writes = 0;

  platform::OpenFileWriter Writer() {
    return {[this](uint64_t offset, std::string_view part) { return WriteAt(offset, part); },
            [this](uint64_t size) {
              bytes_.resize(size);
              return platform::SystemStatus(platform::Done{});
            },
            [this] {
              if (failFlush) return platform::SystemStatus(platform::SystemError{kFlushError});
              return platform::SystemStatus(platform::Done{});
            }};
  }

  const std::string& Bytes() const { return bytes_; }

 private:
  platform::SystemStatus WriteAt(uint64_t offset, std::string_view part) {
    if (++writes == failWriteNumber) return platform::SystemError{kWriteError};
    const uint64_t end = offset + part.size();
    if (bytes_.size() < offset) bytes_.resize(offset);
    const uint64_t fits = std::min<uint64_t>(end, std::max<uint64_t>(capacity, bytes_.size())) - offset;
    if (bytes_.size() < offset + fits) bytes_.resize(offset + fits);
    bytes_.replace(offset, fits, part.substr(0, fits));
    if (fits != part.size()) return platform::SystemError{kWriteError};
    return platform::Done{};
  }

  std::string bytes_;
};

struct RewriteCase {
  const char* name;
  const char* old;
  const char* wanted;
};

class InPlaceRewriteTest : public testing::TestWithParam<RewriteCase> {};

TEST_P(InPlaceRewriteTest, WritesTheNewBytes) {
  FileInMemory file(GetParam().old);
  EXPECT_TRUE(platform::RewriteInPlace(GetParam().old, GetParam().wanted, file.Writer()));
  EXPECT_EQ(file.Bytes(), GetParam().wanted);
}

TEST_P(InPlaceRewriteTest, AFullDiskLeavesTheOldBytes) {
  const RewriteCase& c = GetParam();
  FileInMemory file(c.old);
  file.capacity = std::string(c.old).size();
  const bool grows = std::string(c.wanted).size() > std::string(c.old).size();
  const platform::SystemStatus rewritten = platform::RewriteInPlace(c.old, c.wanted, file.Writer());
  EXPECT_EQ(static_cast<bool>(rewritten), !grows);
  if (grows) {
    EXPECT_EQ(rewritten.error().code, kWriteError);
  }
  EXPECT_EQ(file.Bytes(), grows ? c.old : c.wanted);
}

TEST_P(InPlaceRewriteTest, AFailedWriteLeavesTheOldBytes) {
  const RewriteCase& c = GetParam();
  for (int failing = 1; failing <= 2; ++failing) {
    FileInMemory file(c.old);
    file.failWriteNumber = failing;
    const bool succeeded = static_cast<bool>(platform::RewriteInPlace(c.old, c.wanted, file.Writer()));
    EXPECT_EQ(file.Bytes(), succeeded ? c.wanted : c.old) << "write " << failing << " failing";
  }
  FileInMemory file(c.old);
  file.failFlush = true;
  const platform::SystemStatus rewritten = platform::RewriteInPlace(c.old, c.wanted, file.Writer());
  ASSERT_FALSE(rewritten);
  EXPECT_EQ(rewritten.error().code, kFlushError);
}

INSTANTIATE_TEST_SUITE_P(Ini, InPlaceRewriteTest,
                         testing::Values(RewriteCase{"Grows", "[A]\nk=old\nj=1\n", "[A]\nk=longer\nj=1\n"},
                                         RewriteCase{"Shrinks", "[A]\nk=longer\nj=1\n", "[A]\nk=old\nj=1\n"},
                                         RewriteCase{"SameSize", "[A]\nk=abc\n", "[A]\nk=xyz\n"},
                                         RewriteCase{"Appends", "[A]\n", "[A]\nk=1\n"},
                                         RewriteCase{"FromEmpty", "", "[A]\nk=1\n"}),
                         [](const testing::TestParamInfo<RewriteCase>& info) { return std::string(info.param.name); });

// ---- Trees

using platform::FileFailure;
using platform::WritableFile;

TEST(FileTreeTest, NewFilesAreNeverOldOnes) {
  test::TempDir dir;
  const WideString path = dir.Path(L"file");
  test::WriteBytes(path, "old");
  auto again = WritableFile::CreateNew(path, platform::FilePermissions::Ordinary);
  ASSERT_FALSE(again);
  EXPECT_EQ(platform::ClassifyFileFailure(again.error()), FileFailure::NameTaken);
  EXPECT_EQ(test::ReadBytes(path), "old");

  // Appending goes on from the end; truncating starts over.
  auto append = WritableFile::OpenForAppend(path);
  ASSERT_TRUE(append);
  EXPECT_EQ(append->Size(), 3u);
  ASSERT_TRUE(append->Write("+new"));
  EXPECT_EQ(test::ReadBytes(path), "old+new");
  ASSERT_TRUE(append->Truncate());
  ASSERT_TRUE(append->Write("fresh"));
  EXPECT_EQ(append->Size(), 5u);
  EXPECT_EQ(test::ReadBytes(path), "fresh");
}

TEST(FileTreeTest, TreesAreRemovedWholeAndNamesNeverReplaced) {
  test::TempDir dir;
  const WideString tree = dir.Path(L"tree");
  test::WriteBytes(test::Join({tree, L"a", L"b", L"deep.txt"}), "x");
  test::WriteBytes(test::Join({tree, L"read-only"}), "x");
  fs::permissions(test::NativePath(test::Join({tree, L"read-only"})), fs::perms::owner_read | fs::perms::group_read);

  auto entries = platform::ListFolder(tree);
  ASSERT_TRUE(entries);
  std::sort(entries->begin(), entries->end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  ASSERT_EQ(entries->size(), 2u);
  EXPECT_EQ((*entries)[0].type, platform::EntryType::Folder);
  EXPECT_EQ((*entries)[1].type, platform::EntryType::File);

  const WideString other = dir.Path(L"other");
  ASSERT_TRUE(platform::MakeFolder(other));
  auto renamed = platform::RenameEntry(tree, other);
  ASSERT_FALSE(renamed);
  EXPECT_EQ(platform::ClassifyFileFailure(renamed.error()), FileFailure::NameTaken);

  ASSERT_TRUE(platform::RemoveTree(tree));
  EXPECT_FALSE(fs::exists(test::NativePath(tree)));
  EXPECT_TRUE(platform::RemoveTree(tree));  // nothing there: done
  EXPECT_TRUE(platform::RenameEntry(other, tree));
}

}  // namespace

}  // namespace launcher::platform
