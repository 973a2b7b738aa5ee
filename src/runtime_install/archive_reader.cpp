#include "runtime_install/archive_reader.h"

#include <algorithm>
#include <cstring>

#include "runtime_install/archive_formats.h"

namespace launcher::runtime_install {

std::optional<ArchiveFormat> FormatOfBytes(std::string_view start) {
  // A zip starts with an entry's local header, or with the end record when it holds none.
  if (start.starts_with(std::string_view("PK\x03\x04", 4)) || start.starts_with(std::string_view("PK\x05\x06", 4))) {
    return ArchiveFormat::Zip;
  }
  if (start.starts_with("\x1f\x8b")) return ArchiveFormat::TarGz;
  return std::nullopt;
}

platform::SystemResult<size_t> MemorySource::ReadAt(uint64_t offset, std::span<char> buffer) const {
  if (offset >= bytes_.size()) return size_t{0};
  const size_t count = std::min<uint64_t>(buffer.size(), bytes_.size() - offset);
  std::memcpy(buffer.data(), bytes_.data() + offset, count);
  return count;
}

std::unique_ptr<ArchiveReader> ArchiveReader::Open(ArchiveFormat format, const ByteSource& source) {
  return format == ArchiveFormat::Zip ? formats::OpenZip(source) : formats::OpenTarGz(source);
}

namespace formats {

ArchiveError Malformed(std::string entry, std::string reason) {
  return {.entry = std::move(entry), .reason = std::move(reason), .stopped = false, .systemError = 0};
}

ArchiveError SourceFailed(std::string entry, platform::SystemError error) {
  return {
      .entry = std::move(entry), .reason = "the archive cannot be read", .stopped = false, .systemError = error.code};
}

ArchiveError Stopped(std::string entry) {
  return {.entry = std::move(entry), .reason = "stopped", .stopped = true, .systemError = 0};
}

constexpr uint32_t kTypeMask = 0170000;

bool IsLinkMode(uint32_t mode) { return (mode & kTypeMask) == 0120000; }
bool IsFolderMode(uint32_t mode) { return (mode & kTypeMask) == 0040000; }
bool IsExecutableMode(uint32_t mode) { return (mode & 0111) != 0; }

}  // namespace formats
}  // namespace launcher::runtime_install
