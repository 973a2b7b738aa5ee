#include "platform/file_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "test_support.h"

namespace {

using platform::FileErrorKind;
using platform::WritableFile;
namespace fs = std::filesystem;

TEST(FileTreeTest, NewFilesAreNeverOldOnes) {
  test::TempDir dir;
  const WideString path = dir.Path(L"file");
  test::WriteBytes(path, "old");
  auto again = WritableFile::CreateNew(path, platform::FilePermissions::Ordinary);
  ASSERT_FALSE(again);
  EXPECT_EQ(platform::KindOf(again.error()), FileErrorKind::AlreadyExists);
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
  EXPECT_EQ(platform::KindOf(renamed.error()), FileErrorKind::AlreadyExists);

  ASSERT_TRUE(platform::RemoveTree(tree));
  EXPECT_FALSE(fs::exists(test::NativePath(tree)));
  EXPECT_TRUE(platform::RemoveTree(tree));  // nothing there: done
  EXPECT_TRUE(platform::RenameEntry(other, tree));
}

}  // namespace
