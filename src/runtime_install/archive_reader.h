#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/expected.h"
#include "platform/files.h"
#include "runtime_install/archive_entry.h"

namespace launcher::runtime_install {

// Reads the runtime archives vendors ship: ".zip" (stored and deflated
// entries, zip64, Unix modes for links and programs) and ".tar.gz" (ustar,
// GNU long names, pax paths). Entries stream through in pieces: whatever the
// archive's size, memory holds its directory and a few buffers.

enum class ArchiveFormat { Zip, TarGz };

// The archive's format from its first bytes (a zip's local header or end
// record, gzip's magic); nullopt for any other. Addresses often name no
// format (a vendor's "latest" link): the bytes always tell.
std::optional<ArchiveFormat> FormatOfBytes(std::string_view start);

// Where an archive's bytes come from: its file, or memory.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t Size() const = 0;
  // Fills the buffer from the offset on; fewer bytes only at the end.
  virtual platform::SystemResult<size_t> ReadAt(uint64_t offset, std::span<char> buffer) const = 0;
};

// Bytes in memory, for tests and fuzzing.
class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
  uint64_t Size() const override { return bytes_.size(); }
  platform::SystemResult<size_t> ReadAt(uint64_t offset, std::span<char> buffer) const override;

 private:
  std::string_view bytes_;
};

// The bytes of a file.
class FileSource final : public ByteSource {
 public:
  explicit FileSource(platform::ReadableFile file) : file_(std::move(file)) {}
  uint64_t Size() const override { return file_.Size(); }
  platform::SystemResult<size_t> ReadAt(uint64_t offset, std::span<char> buffer) const override {
    return file_.ReadAt(offset, buffer);
  }

 private:
  platform::ReadableFile file_;
};

// Why an archive cannot be read: the entry it stopped at ("" for the archive
// as a whole) and what is wrong there.
struct ArchiveError {
  std::string entry;
  std::string reason;
  bool stopped = false;      // the writer asked to stop: its own failure says why
  uint32_t systemError = 0;  // reading the source failed
};

template <typename T>
using ArchiveResult = platform::Expected<T, ArchiveError>;

// Takes the entries as they are read.
class EntryWriter {
 public:
  virtual ~EntryWriter() = default;
  // Begins an entry; false stops the reading.
  virtual bool Begin(const ArchiveEntry& entry) = 0;
  // A piece of the current file's contents; false stops the reading.
  virtual bool Write(std::string_view bytes) = 0;
  // The current entry is complete (a file's bytes all written and checked).
  virtual bool End() = 0;
};

class ArchiveReader {
 public:
  static std::unique_ptr<ArchiveReader> Open(ArchiveFormat format, const ByteSource& source);
  virtual ~ArchiveReader() = default;

  // Every entry in the archive's order, without contents; reading stops, with
  // the entries so far, once there are more than maxEntries (the caller's
  // rules then refuse the archive).
  virtual ArchiveResult<std::vector<ArchiveEntry>> List(uint64_t maxEntries) = 0;

  // Every entry again, in the same order, with the files' contents; a file
  // whose contents differ from what the directory says (size, checksum) ends
  // the reading with an error.
  virtual ArchiveResult<platform::Done> Read(EntryWriter& writer) = 0;
};

}  // namespace launcher::runtime_install
