#include "platform/ini_file.h"

#include <sys/stat.h>

#include <mutex>
#include <optional>

#include "platform/files.h"
#include "platform/ini_file_bytes.h"
#include "platform/text.h"

// An INI reader with the behaviour of GetPrivateProfileStringW, so that one
// settings file means the same on both systems. Files are UTF-8 (with or without
// BOM) or UTF-16 with BOM.

namespace platform {

// A new file starts with a UTF-8 BOM, so that Windows too reads it as UTF-8
// rather than in its ANSI code page.
const IniFileFormat kNewIniFileFormat{IniEncoding::Utf8Bom, L"\n"};

namespace {

// Which file a path named when it was read: a file replaced since (a new
// inode), rewritten or touched no longer matches.
struct FileVersion {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};

  bool operator==(const FileVersion& other) const {
    return device == other.device && inode == other.inode && size == other.size &&
           modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
  }
};

std::optional<FileVersion> VersionOf(const WideString& path) {
  struct stat info {};
  if (::stat(ToUtf8(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return FileVersion{.device = info.st_dev, .inode = info.st_ino, .size = info.st_size, .modified = info.st_mtim};
}

// A start reads some fifty keys, each through ReadIniString, from one or two
// files: the lines of the last file read are kept while it stays the same.
struct ReadLines {
  WideString path;
  FileVersion version;
  IniLines lines;
};

std::mutex lastReadMutex;
std::optional<ReadLines> lastRead;

// The value of [section] key in the file, "" when there is none.
WideString ValueIn(const WideString& path, const WideString& section, const WideString& key) {
  const std::optional<FileVersion> version = VersionOf(path);
  const std::lock_guard<std::mutex> lock(lastReadMutex);
  if (!version || !lastRead || lastRead->path != path || !(lastRead->version == *version)) {
    const SystemResult<std::string> file = ReadWholeFile(path);
    if (!file) return WideString();
    IniLines lines = IniLinesOfBytes(*file, SystemAnsiCodec());
    // Only a plain file is kept; one that changed has another version at the next look.
    if (!version) return IniValueInLines(lines, section, key);
    lastRead = ReadLines{.path = path, .version = *version, .lines = std::move(lines)};
  }
  return IniValueInLines(lastRead->lines, section, key);
}

}  // namespace

uint32_t ReadIniString(const WideString& section, const WideString& key, wchar_t* buffer, uint32_t size,
                       const WideString& path) {
  return CopyIniValue(ValueIn(path, section, key), buffer, size);
}

}  // namespace platform
