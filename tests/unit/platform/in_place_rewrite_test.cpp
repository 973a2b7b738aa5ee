#include "platform/in_place_rewrite.h"

#include <gtest/gtest.h>

#include <string>

// Rewriting a file in place against a file in memory that fails when told:
// whatever fails, the file ends up holding either the old or the new bytes.

namespace {

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
              return true;
            },
            [this] { return !failFlush; }};
  }

  const std::string& Bytes() const { return bytes_; }

 private:
  bool WriteAt(uint64_t offset, std::string_view part) {
    if (++writes == failWriteNumber) return false;
    const uint64_t end = offset + part.size();
    if (bytes_.size() < offset) bytes_.resize(offset);
    const uint64_t fits = std::min<uint64_t>(end, std::max<uint64_t>(capacity, bytes_.size())) - offset;
    if (bytes_.size() < offset + fits) bytes_.resize(offset + fits);
    bytes_.replace(offset, fits, part.substr(0, fits));
    return fits == part.size();
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
  EXPECT_EQ(platform::RewriteInPlace(c.old, c.wanted, file.Writer()), !grows);
  EXPECT_EQ(file.Bytes(), grows ? c.old : c.wanted);
}

TEST_P(InPlaceRewriteTest, AFailedWriteLeavesTheOldBytes) {
  const RewriteCase& c = GetParam();
  for (int failing = 1; failing <= 2; ++failing) {
    FileInMemory file(c.old);
    file.failWriteNumber = failing;
    const bool succeeded = platform::RewriteInPlace(c.old, c.wanted, file.Writer());
    EXPECT_EQ(file.Bytes(), succeeded ? c.wanted : c.old) << "write " << failing << " failing";
  }
  FileInMemory file(c.old);
  file.failFlush = true;
  EXPECT_FALSE(platform::RewriteInPlace(c.old, c.wanted, file.Writer()));
}

INSTANTIATE_TEST_SUITE_P(Ini, InPlaceRewriteTest,
                         testing::Values(RewriteCase{"Grows", "[A]\nk=old\nj=1\n", "[A]\nk=longer\nj=1\n"},
                                         RewriteCase{"Shrinks", "[A]\nk=longer\nj=1\n", "[A]\nk=old\nj=1\n"},
                                         RewriteCase{"SameSize", "[A]\nk=abc\n", "[A]\nk=xyz\n"},
                                         RewriteCase{"Appends", "[A]\n", "[A]\nk=1\n"},
                                         RewriteCase{"FromEmpty", "", "[A]\nk=1\n"}),
                         [](const testing::TestParamInfo<RewriteCase>& info) { return std::string(info.param.name); });

}  // namespace
