#include "runtime_install/archive_fetch.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "platform/text.h"

namespace launcher::runtime_install {

namespace {

using runtime_install::ClassifySource;
using runtime_install::SourceKind;

TEST(ArchiveFetchTest, SourcesAreAddressesOrFiles) {
  const bool windows = platform::kPathSeparator == L'\\';
  const WideString folder = windows ? L"C:\\app" : L"/app";
  const WideString s(1, platform::kPathSeparator);
  struct Case {
    WideString written;
    std::optional<SourceKind> kind;
    std::string url;
    WideString path;
  } cases[] = {
      {L"https://cdn.example.org/jre.zip", SourceKind::Http, "https://cdn.example.org/jre.zip", L""},
      {L"HTTP://mirror/jre.tar.gz", SourceKind::Http, "HTTP://mirror/jre.tar.gz", L""},
      {L"jre.zip", SourceKind::LocalFile, "", folder + s + L"jre.zip"},
      {L"ftp://example.org/jre.zip", std::nullopt, "", L""},
      {L"", std::nullopt, "", L""},
      {windows ? L"file:///C:/Java%20Runtimes/jre.zip" : L"file:///opt/Java%20Runtimes/jre.zip", SourceKind::LocalFile,
       "", windows ? L"C:\\Java Runtimes\\jre.zip" : L"/opt/Java Runtimes/jre.zip"},
      {L"file://localhost/" + WideString(windows ? L"D:/jre.zip" : L"srv/jre.zip"), SourceKind::LocalFile, "",
       windows ? L"D:\\jre.zip" : L"/srv/jre.zip"},
      {L"file://server/share/jre.zip", windows ? std::optional(SourceKind::LocalFile) : std::nullopt, "",
       L"\\\\server\\share\\jre.zip"},
  };
  for (const Case& c : cases) {
    std::optional<runtime_install::ArchiveSource> source = ClassifySource(c.written, folder);
    ASSERT_EQ(source.has_value(), c.kind.has_value()) << platform::ToUtf8(c.written);
    if (!source) continue;
    EXPECT_EQ(source->kind, *c.kind);
    EXPECT_EQ(source->url, c.url);
    EXPECT_EQ(source->path, c.path) << platform::ToUtf8(c.written);
  }
}

}  // namespace

}  // namespace launcher::runtime_install
