#include <zlib.h>

#include <algorithm>
#include <limits>
#include <optional>

#include "runtime_install/archive_formats.h"

namespace launcher::runtime_install::formats {
namespace {

uint64_t Little(std::string_view bytes, size_t offset, size_t width) {
  uint64_t value = 0;
  for (size_t i = 0; i < width; ++i) {
    value |= static_cast<uint64_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  }
  return value;
}

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kZip64EndSignature = 0x06064b50;
constexpr uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr size_t kEndSize = 22, kZip64EndSize = 56, kLocatorSize = 20, kCentralSize = 46, kLocalSize = 30;
constexpr uint16_t kStored = 0, kDeflated = 8;
constexpr uint16_t kHostUnix = 3, kHostMac = 19;

struct Directory {
  uint64_t count = 0;
  uint64_t offset = 0;
  uint64_t size = 0;
};

struct Member {
  ArchiveEntry entry;
  uint64_t localOffset = 0;
  uint64_t compressedSize = 0;
  uint16_t method = kStored;
  uint32_t crc = 0;
};

// Ends an inflate stream however the reading ends.
struct Inflater {
  z_stream stream{};
  bool ready = false;
  Inflater() { ready = inflateInit2(&stream, -MAX_WBITS) == Z_OK; }
  ~Inflater() {
    if (ready) inflateEnd(&stream);
  }
};

class ZipReader final : public ArchiveReader {
 public:
  explicit ZipReader(const ByteSource& source) : source_(source) {}

  ArchiveResult<std::vector<ArchiveEntry>> List(uint64_t maxEntries) override {
    ArchiveResult<std::vector<Member>> members = Members(maxEntries);
    if (!members) return members.error();
    std::vector<ArchiveEntry> entries;
    entries.reserve(members->size());
    for (const Member& member : *members) entries.push_back(member.entry);
    return entries;
  }

  ArchiveResult<platform::Done> Read(EntryWriter& writer) override {
    ArchiveResult<std::vector<Member>> members = Members(std::numeric_limits<uint64_t>::max());
    if (!members) return members.error();
    for (const Member& member : *members) {
      if (!writer.Begin(member.entry)) return Stopped(member.entry.name);
      if (member.entry.kind == EntryKind::File) {
        ArchiveResult<platform::Done> streamed =
            Stream(member, [&](std::string_view bytes) { return writer.Write(bytes); });
        if (!streamed) return streamed.error();
      }
      if (!writer.End()) return Stopped(member.entry.name);
    }
    return platform::Done{};
  }

 private:
  // The bytes at an offset, exactly count of them.
  ArchiveResult<std::string> Bytes(uint64_t offset, size_t count, const std::string& entry) const {
    std::string bytes(count, '\0');
    platform::SystemResult<size_t> read = source_.ReadAt(offset, bytes);
    if (!read) return SourceFailed(entry, read.error());
    if (*read != count) return Malformed(entry, "the archive ends inside an entry's headers");
    return bytes;
  }

  ArchiveResult<Directory> FindDirectory() const {
    const uint64_t size = source_.Size();
    const size_t tail = static_cast<size_t>(std::min<uint64_t>(size, kEndSize + 0xFFFF));
    if (tail < kEndSize) return Malformed("", "not a zip archive (too short)");
    ArchiveResult<std::string> bytes = Bytes(size - tail, tail, "");
    if (!bytes) return bytes.error();
    // The end record is the last signature whose comment reaches no further than the file.
    for (size_t at = tail - kEndSize + 1; at-- > 0;) {
      if (Little(*bytes, at, 4) != kEndSignature || at + kEndSize + Little(*bytes, at + 20, 2) > tail) continue;
      const uint64_t endOffset = size - tail + at;
      if (Little(*bytes, at + 4, 2) != 0 || Little(*bytes, at + 6, 2) != 0) {
        return Malformed("", "a zip archive split across several disks");
      }
      Directory directory{.count = Little(*bytes, at + 10, 2),
                          .offset = Little(*bytes, at + 16, 4),
                          .size = Little(*bytes, at + 12, 4)};
      if (directory.count == 0xFFFF || directory.offset == 0xFFFFFFFF || directory.size == 0xFFFFFFFF) {
        return FindZip64Directory(endOffset);
      }
      return Checked(directory, endOffset);
    }
    return Malformed("", "not a zip archive (no end of central directory)");
  }

  ArchiveResult<Directory> FindZip64Directory(uint64_t endOffset) const {
    if (endOffset < kLocatorSize) return Malformed("", "a zip64 archive without its locator");
    ArchiveResult<std::string> locator = Bytes(endOffset - kLocatorSize, kLocatorSize, "");
    if (!locator) return locator.error();
    if (Little(*locator, 0, 4) != kZip64LocatorSignature) return Malformed("", "a zip64 archive without its locator");
    const uint64_t recordOffset = Little(*locator, 8, 8);
    if (recordOffset > endOffset - kLocatorSize) return Malformed("", "a zip64 end record outside the archive");
    ArchiveResult<std::string> record = Bytes(recordOffset, kZip64EndSize, "");
    if (!record) return record.error();
    if (Little(*record, 0, 4) != kZip64EndSignature) return Malformed("", "a damaged zip64 end record");
    if (Little(*record, 16, 4) != 0 || Little(*record, 20, 4) != 0) {
      return Malformed("", "a zip archive split across several disks");
    }
    return Checked({.count = Little(*record, 32, 8), .offset = Little(*record, 48, 8), .size = Little(*record, 40, 8)},
                   recordOffset);
  }

  static ArchiveResult<Directory> Checked(const Directory& directory, uint64_t end) {
    if (directory.offset > end || directory.size > end - directory.offset) {
      return Malformed("", "a central directory outside the archive");
    }
    return directory;
  }

  ArchiveResult<std::vector<Member>> Members(uint64_t maxEntries) {
    if (members_) return *members_;
    ArchiveResult<Directory> directory = FindDirectory();
    if (!directory) return directory.error();
    std::vector<Member> members;
    uint64_t at = directory->offset;
    const uint64_t end = directory->offset + directory->size;
    for (uint64_t index = 0; index < directory->count; ++index) {
      if (members.size() > maxEntries) return members;
      ArchiveResult<Member> member = ReadMember(at, end, directory->offset);
      if (!member) return member.error();
      members.push_back(std::move(*member));
    }
    for (Member& member : members) {
      if (member.entry.kind != EntryKind::SymbolicLink) continue;
      ArchiveResult<platform::Done> target = Stream(member, [&](std::string_view bytes) {
        member.entry.linkTarget.append(bytes);
        return true;
      });
      if (!target) return target.error();
    }
    members_ = members;
    return members;
  }

  // One central directory header at `at`, which moves past it.
  ArchiveResult<Member> ReadMember(uint64_t& at, uint64_t end, uint64_t dataEnd) const {
    if (end - at < kCentralSize) return Malformed("", "a central directory cut short");
    ArchiveResult<std::string> header = Bytes(at, kCentralSize, "");
    if (!header) return header.error();
    if (Little(*header, 0, 4) != kCentralSignature) return Malformed("", "a damaged central directory");
    const size_t nameLength = Little(*header, 28, 2), extraLength = Little(*header, 30, 2);
    const size_t commentLength = Little(*header, 32, 2);
    if (end - at - kCentralSize < nameLength + extraLength + commentLength) {
      return Malformed("", "a central directory cut short");
    }
    ArchiveResult<std::string> variable = Bytes(at + kCentralSize, nameLength + extraLength, "");
    if (!variable) return variable.error();
    at += kCentralSize + nameLength + extraLength + commentLength;

    Member member;
    member.entry.name = variable->substr(0, nameLength);
    const std::string& name = member.entry.name;
    const uint16_t flags = static_cast<uint16_t>(Little(*header, 8, 2));
    member.method = static_cast<uint16_t>(Little(*header, 10, 2));
    member.crc = static_cast<uint32_t>(Little(*header, 16, 4));
    member.compressedSize = Little(*header, 20, 4);
    member.entry.size = Little(*header, 24, 4);
    member.localOffset = Little(*header, 42, 4);
    if (!ApplyZip64(std::string_view(*variable).substr(nameLength), Little(*header, 34, 2), member)) {
      return Malformed(name, "a damaged zip64 extra field");
    }
    if ((flags & 1) != 0) return Malformed(name, "an encrypted entry");
    if (member.method != kStored && member.method != kDeflated) {
      return Malformed(name, "compressed with method " + std::to_string(member.method) + ", which is not supported");
    }
    if (member.method == kStored && member.compressedSize != member.entry.size) {
      return Malformed(name, "a stored entry whose sizes differ");
    }
    if (member.localOffset >= dataEnd) return Malformed(name, "data outside the archive");
    Classify(Little(*header, 4, 2) >> 8, static_cast<uint32_t>(Little(*header, 38, 4)), member.entry);
    if (member.entry.kind == EntryKind::SymbolicLink && member.entry.size > kMaxLinkTarget) {
      return Malformed(name, "a link target too long");
    }
    return member;
  }

  // The zip64 extra field holds, in order, each size or offset whose 32-bit
  // field is full.
  static bool ApplyZip64(std::string_view extra, uint64_t diskStart, Member& member) {
    while (extra.size() >= 4) {
      const uint64_t id = Little(extra, 0, 2), length = Little(extra, 2, 2);
      if (length > extra.size() - 4) return false;
      if (id == 1) {
        std::string_view fields = extra.substr(4, length);
        for (uint64_t* field : {&member.entry.size, &member.compressedSize, &member.localOffset}) {
          if (*field != 0xFFFFFFFF) continue;
          if (fields.size() < 8) return false;
          *field = Little(fields, 0, 8);
          fields.remove_prefix(8);
        }
        return diskStart == 0 || (diskStart == 0xFFFF && fields.size() >= 4 && Little(fields, 0, 4) == 0);
      }
      extra.remove_prefix(4 + length);
    }
    return diskStart == 0;
  }

  static void Classify(uint64_t host, uint32_t attributes, ArchiveEntry& entry) {
    const uint32_t mode = host == kHostUnix || host == kHostMac ? attributes >> 16 : 0;
    const char last = entry.name.empty() ? '\0' : entry.name.back();
    constexpr uint32_t kDosFolder = 0x10;
    if (last == '/' || last == '\\' || IsFolderMode(mode) || (mode == 0 && (attributes & kDosFolder) != 0)) {
      entry.kind = EntryKind::Folder;
      entry.size = 0;
    } else if (IsLinkMode(mode)) {
      entry.kind = EntryKind::SymbolicLink;
    } else {
      entry.kind = EntryKind::File;
      entry.executable = IsExecutableMode(mode);
    }
  }

  template <typename Sink>
  ArchiveResult<platform::Done> Stream(const Member& member, Sink sink) const {
    const std::string& name = member.entry.name;
    ArchiveResult<std::string> local = Bytes(member.localOffset, kLocalSize, name);
    if (!local) return local.error();
    if (Little(*local, 0, 4) != kLocalSignature) return Malformed(name, "a damaged local header");
    const uint64_t start = member.localOffset + kLocalSize + Little(*local, 26, 2) + Little(*local, 28, 2);
    if (start > source_.Size() || member.compressedSize > source_.Size() - start) {
      return Malformed(name, "data beyond the archive's end");
    }
    Inflater inflater;
    if (member.method == kDeflated && !inflater.ready) return Malformed(name, "zlib cannot start");
    std::string input(std::min<uint64_t>(kBufferSize, std::max<uint64_t>(member.compressedSize, 1)), '\0');
    std::string output(member.method == kDeflated ? kBufferSize : 0, '\0');
    uLong crc = crc32(0, nullptr, 0);
    uint64_t produced = 0, consumed = 0;
    bool ended = false;  // the deflate stream has ended
    auto deliver = [&](std::string_view bytes) -> std::optional<ArchiveError> {
      produced += bytes.size();
      if (produced > member.entry.size) return Malformed(name, "more bytes than its directory says");
      crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size()));
      if (!sink(bytes)) return Stopped(name);
      return std::nullopt;
    };
    // One call of inflate into the output buffer, whose bytes are delivered.
    auto inflateStep = [&]() -> std::optional<ArchiveError> {
      z_stream& stream = inflater.stream;
      stream.next_out = reinterpret_cast<Bytef*>(output.data());
      stream.avail_out = static_cast<uInt>(output.size());
      const int status = inflate(&stream, Z_NO_FLUSH);
      if (status == Z_BUF_ERROR && stream.avail_in == 0) return Malformed(name, "compressed data cut short");
      if (status != Z_OK && status != Z_STREAM_END) return Malformed(name, "damaged compressed data");
      ended = status == Z_STREAM_END;
      return deliver(std::string_view(output.data(), output.size() - stream.avail_out));
    };
    while (consumed < member.compressedSize && !ended) {
      const size_t want = static_cast<size_t>(std::min<uint64_t>(input.size(), member.compressedSize - consumed));
      platform::SystemResult<size_t> read = source_.ReadAt(start + consumed, std::span<char>(input.data(), want));
      if (!read) return SourceFailed(name, read.error());
      if (*read != want) return Malformed(name, "data beyond the archive's end");
      consumed += want;
      if (member.method == kStored) {
        if (std::optional<ArchiveError> failed = deliver(std::string_view(input.data(), want))) return *failed;
        continue;
      }
      inflater.stream.next_in = reinterpret_cast<Bytef*>(input.data());
      inflater.stream.avail_in = static_cast<uInt>(want);
      while (inflater.stream.avail_in > 0 && !ended) {
        if (std::optional<ArchiveError> failed = inflateStep()) return *failed;
      }
    }
    // What zlib still holds once all input is in.
    while (member.method == kDeflated && !ended) {
      if (std::optional<ArchiveError> failed = inflateStep()) return *failed;
    }
    if (produced != member.entry.size) return Malformed(name, "fewer bytes than its directory says");
    if (static_cast<uint32_t>(crc) != member.crc) return Malformed(name, "a checksum that does not match");
    return platform::Done{};
  }

  const ByteSource& source_;
  std::optional<std::vector<Member>> members_;
};

}  // namespace

std::unique_ptr<ArchiveReader> OpenZip(const ByteSource& source) { return std::make_unique<ZipReader>(source); }

}  // namespace launcher::runtime_install::formats
