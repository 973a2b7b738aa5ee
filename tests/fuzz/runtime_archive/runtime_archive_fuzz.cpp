// The runtime archive readers on any bytes, as a zip, as a tar.gz, and as a tar
// that this target compresses itself (so that the tar headers are reached past
// gzip's checksums). Whatever the bytes: nothing is read outside them, a
// reading that succeeds gives the entries its listing gave, in order, and each
// file's bytes number what its entry says; the entry rules take any listing.
#include <cstdint>
#include <string>
#include <vector>

#include "archive_builder.h"
#include "fuzz_check.h"
#include "runtime_install/archive_reader.h"
#include "runtime_install/entry_rules.h"

using namespace launcher;

namespace {

using runtime_install::ArchiveEntry;
using runtime_install::ArchiveFormat;

class CountingWriter final : public runtime_install::EntryWriter {
 public:
  bool Begin(const runtime_install::ArchiveEntry& entry) override {
    entries.push_back(entry);
    bytes.push_back(0);
    return true;
  }
  bool Write(std::string_view piece) override {
    bytes.back() += piece.size();
    return true;
  }
  bool End() override { return true; }

  std::vector<runtime_install::ArchiveEntry> entries;
  std::vector<uint64_t> bytes;
};

void Read(ArchiveFormat format, std::string_view bytes) {
  runtime_install::MemorySource source(bytes);
  std::unique_ptr<runtime_install::ArchiveReader> reader = runtime_install::ArchiveReader::Open(format, source);
  auto listed = reader->List(1000);
  if (!listed) return;
  runtime_install::CheckEntries(*listed, runtime_install::kRuntimeArchiveLimits);
  CountingWriter writer;
  auto read = reader->Read(writer);
  if (!read || listed->size() > 1000) return;
  fuzz::Check(writer.entries.size() == listed->size(), "a reading gives the entries of the listing");
  for (size_t i = 0; i < listed->size(); ++i) {
    const runtime_install::ArchiveEntry& entry = (*listed)[i];
    fuzz::Check(writer.entries[i].name == entry.name && writer.entries[i].kind == entry.kind,
                "each in the listing's order");
    if (entry.kind == runtime_install::EntryKind::File) {
      fuzz::Check(writer.bytes[i] == entry.size, "a file's bytes number its size");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = fuzz::Bytes(data, size);
  Read(ArchiveFormat::Zip, bytes);
  Read(ArchiveFormat::TarGz, bytes);
  if (!bytes.starts_with("\x1f\x8b")) Read(ArchiveFormat::TarGz, test::Gzipped(std::string(bytes)));
  return 0;
}
