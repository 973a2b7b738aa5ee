#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "runtime_install/archive_reader.h"

// The readers of each format behind ArchiveReader::Open, and what they share.
namespace launcher::runtime_install::formats {

std::unique_ptr<ArchiveReader> OpenZip(const ByteSource& source);
std::unique_ptr<ArchiveReader> OpenTarGz(const ByteSource& source);

// The longest link target and the longest name read (GNU and pax records
// included): far beyond any runtime's, small enough to hold.
inline constexpr size_t kMaxLinkTarget = 4096;
inline constexpr size_t kMaxName = 65536;

// The pieces files stream through.
inline constexpr size_t kBufferSize = 256 * 1024;

ArchiveError Malformed(std::string entry, std::string reason);
ArchiveError SourceFailed(std::string entry, platform::SystemError error);
ArchiveError Stopped(std::string entry);

// Whether a Unix mode (of a zip made on Unix, or a tar header) marks a link, a
// folder, or a file anyone may run.
bool IsLinkMode(uint32_t mode);
bool IsFolderMode(uint32_t mode);
bool IsExecutableMode(uint32_t mode);

}  // namespace launcher::runtime_install::formats
