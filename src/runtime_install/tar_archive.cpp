#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

#include "runtime_install/archive_formats.h"

namespace launcher::runtime_install::formats {
namespace {

constexpr size_t kBlock = 512;
constexpr size_t kMaxPaxHeader = 1 << 20;

// The decompressed bytes of a gzip file (of one or more members), in order.
class GzipStream {
 public:
  explicit GzipStream(const ByteSource& source) : source_(source), input_(kBufferSize, '\0') {
    ready_ = inflateInit2(&stream_, MAX_WBITS + 16) == Z_OK;
  }
  ~GzipStream() {
    if (ready_) inflateEnd(&stream_);
  }
  GzipStream(const GzipStream&) = delete;
  GzipStream& operator=(const GzipStream&) = delete;

  // Fills the buffer; fewer bytes only at the end of the data.
  ArchiveResult<size_t> Read(std::span<char> buffer, const std::string& entry) {
    if (!ready_) return Malformed(entry, "zlib cannot start");
    size_t filled = 0;
    while (filled < buffer.size() && !finished_) {
      if (stream_.avail_in == 0) {
        ArchiveResult<platform::Done> refilled = Refill(entry);
        if (!refilled) return refilled.error();
        if (stream_.avail_in == 0) return Malformed(entry, "the compressed data ends early");
      }
      stream_.next_out = reinterpret_cast<Bytef*>(buffer.data() + filled);
      stream_.avail_out = static_cast<uInt>(buffer.size() - filled);
      const int status = inflate(&stream_, Z_NO_FLUSH);
      if (status != Z_OK && status != Z_STREAM_END) return Malformed(entry, "damaged compressed data");
      filled = buffer.size() - stream_.avail_out;
      if (status == Z_STREAM_END) {
        ArchiveResult<platform::Done> next = NextMember(entry);
        if (!next) return next.error();
      }
    }
    return filled;
  }

  ArchiveResult<platform::Done> Skip(uint64_t count, const std::string& entry) {
    std::string scratch(static_cast<size_t>(std::min<uint64_t>(count, kBufferSize)), '\0');
    while (count > 0) {
      const size_t piece = static_cast<size_t>(std::min<uint64_t>(count, scratch.size()));
      ArchiveResult<size_t> read = Read(std::span<char>(scratch.data(), piece), entry);
      if (!read) return read.error();
      if (*read != piece) return Malformed(entry, "the archive ends inside an entry");
      count -= piece;
    }
    return platform::Done{};
  }

 private:
  ArchiveResult<platform::Done> Refill(const std::string& entry) {
    platform::SystemResult<size_t> read = source_.ReadAt(offset_, input_);
    if (!read) return SourceFailed(entry, read.error());
    offset_ += *read;
    stream_.next_in = reinterpret_cast<Bytef*>(input_.data());
    stream_.avail_in = static_cast<uInt>(*read);
    return platform::Done{};
  }

  // After a member's end: another member follows, or the data ends (trailing
  // bytes that start no member are ignored, as gzip does with zeros).
  ArchiveResult<platform::Done> NextMember(const std::string& entry) {
    std::string next(reinterpret_cast<const char*>(stream_.next_in), std::min<uInt>(stream_.avail_in, 2));
    if (next.size() < 2) {
      // Looked at, not taken: zlib reads them in their turn.
      char more[2];
      platform::SystemResult<size_t> read = source_.ReadAt(offset_, std::span<char>(more, 2 - next.size()));
      if (!read) return SourceFailed(entry, read.error());
      next.append(more, *read);
    }
    if (next != "\x1f\x8b") {
      finished_ = true;
      return platform::Done{};
    }
    if (inflateReset(&stream_) != Z_OK) return Malformed(entry, "damaged compressed data");
    return platform::Done{};
  }

  const ByteSource& source_;
  std::string input_;
  z_stream stream_{};
  uint64_t offset_ = 0;
  bool ready_ = false;
  bool finished_ = false;
};

std::string_view Field(std::string_view header, size_t offset, size_t length) {
  std::string_view field = header.substr(offset, length);
  return field.substr(0, field.find('\0'));
}

// An octal number, or a GNU base-256 one (first byte 0x80).
std::optional<uint64_t> Number(std::string_view header, size_t offset, size_t length) {
  const std::string_view raw = header.substr(offset, length);
  if (static_cast<unsigned char>(raw[0]) == 0x80) {
    uint64_t value = 0;
    for (size_t i = 1; i < raw.size(); ++i) {
      if (value >> 55 != 0) return std::nullopt;
      value = (value << 8) | static_cast<unsigned char>(raw[i]);
    }
    return value;
  }
  std::string_view text = Field(header, offset, length);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty()) return 0;
  uint64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 8);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool ChecksumMatches(std::string_view header) {
  const std::optional<uint64_t> stored = Number(header, 148, 8);
  uint64_t sum = 0;
  for (size_t i = 0; i < kBlock; ++i) sum += (i >= 148 && i < 156) ? ' ' : static_cast<unsigned char>(header[i]);
  return stored && *stored == sum;
}

// What extended headers (pax "x", GNU "L" and "K") say of the entry that follows.
struct Overrides {
  std::optional<std::string> path;
  std::optional<std::string> linkPath;
  std::optional<uint64_t> size;
};

// Records "LENGTH KEY=VALUE\n".
bool ParsePax(std::string_view records, Overrides& overrides) {
  while (!records.empty()) {
    const size_t space = records.find(' ');
    size_t length = 0;
    if (space == std::string_view::npos ||
        std::from_chars(records.data(), records.data() + space, length).ec != std::errc() || length <= space + 1 ||
        length > records.size() || records[length - 1] != '\n') {
      return false;
    }
    const std::string_view record = records.substr(space + 1, length - space - 2);
    records.remove_prefix(length);
    const size_t equals = record.find('=');
    if (equals == std::string_view::npos) return false;
    const std::string_view key = record.substr(0, equals), value = record.substr(equals + 1);
    if (key == "path") overrides.path = std::string(value);
    if (key == "linkpath") overrides.linkPath = std::string(value);
    if (key == "size") {
      uint64_t size = 0;
      if (std::from_chars(value.data(), value.data() + value.size(), size).ec != std::errc()) return false;
      overrides.size = size;
    }
  }
  return true;
}

class TarGzReader final : public ArchiveReader {
 public:
  explicit TarGzReader(const ByteSource& source) : source_(source) {}

  ArchiveResult<std::vector<ArchiveEntry>> List(uint64_t maxEntries) override {
    std::vector<ArchiveEntry> entries;
    ArchiveResult<platform::Done> walked = Walk(nullptr, [&](const ArchiveEntry& entry) {
      entries.push_back(entry);
      return entries.size() <= maxEntries;
    });
    if (!walked) return walked.error();
    return entries;
  }

  ArchiveResult<platform::Done> Read(EntryWriter& writer) override {
    return Walk(&writer, [](const ArchiveEntry&) { return true; });
  }

 private:
  // Reads the archive from its start; each entry goes to the writer (when
  // there is one) and to seen, which may end the walk early.
  template <typename Seen>
  ArchiveResult<platform::Done> Walk(EntryWriter* writer, Seen seen) {
    GzipStream data(source_);
    Overrides overrides;
    std::string header(kBlock, '\0');
    for (;;) {
      const std::string& last = lastName_;
      ArchiveResult<size_t> read = data.Read(header, last);
      if (!read) return read.error();
      // An archive that stops at a header's place without its end blocks is read as ended.
      if (*read == 0) return platform::Done{};
      if (*read != kBlock) return Malformed(last, "the archive ends inside a header");
      if (std::all_of(header.begin(), header.end(), [](char c) { return c == '\0'; })) return platform::Done{};
      if (!ChecksumMatches(header)) return Malformed(last, "a damaged header after this entry");
      ArchiveResult<std::optional<ArchiveEntry>> entry = Entry(header, data, overrides);
      if (!entry) return entry.error();
      if (!*entry) continue;
      lastName_ = (*entry)->name;
      if (!seen(**entry)) return platform::Done{};
      ArchiveResult<platform::Done> contents = Contents(**entry, data, writer);
      if (!contents) return contents.error();
    }
  }

  // The entry a header describes, or nullopt for an extended header (whose
  // contents are read into the overrides of the next entry).
  ArchiveResult<std::optional<ArchiveEntry>> Entry(std::string_view header, GzipStream& data, Overrides& overrides) {
    std::string name(Field(header, 0, 100));
    if (header.substr(257, 5) == "ustar") {
      const std::string_view prefix = Field(header, 345, 155);
      if (!prefix.empty()) name = std::string(prefix) + "/" + name;
    }
    const std::optional<uint64_t> mode = Number(header, 100, 8);
    std::optional<uint64_t> size = Number(header, 124, 12);
    if (!mode || !size) return Malformed(name, "a damaged header");
    const char type = header[156];
    if (type == 'L' || type == 'K' || type == 'x' || type == 'g') {
      const size_t limit = type == 'x' || type == 'g' ? kMaxPaxHeader : kMaxName;
      if (*size > limit) return Malformed(name, "an extended header too long");
      ArchiveResult<std::string> text = ReadPadded(data, *size, name);
      if (!text) return text.error();
      std::string value = text->substr(0, text->find('\0'));
      if (type == 'L') overrides.path = std::move(value);
      if (type == 'K') overrides.linkPath = std::move(value);
      if (type == 'x' && !ParsePax(*text, overrides)) return Malformed(name, "a damaged pax header");
      return std::optional<ArchiveEntry>();
    }
    ArchiveEntry entry;
    entry.name = overrides.path.value_or(name);
    entry.linkTarget = overrides.linkPath.value_or(std::string(Field(header, 157, 100)));
    entry.size = overrides.size.value_or(*size);
    overrides = {};
    switch (type) {
      case '0':
      case '\0':
      case '7':
        entry.kind = EntryKind::File;
        entry.executable = IsExecutableMode(static_cast<uint32_t>(*mode));
        break;
      case '5':
        entry.kind = EntryKind::Folder;
        break;
      case '2':
        entry.kind = EntryKind::SymbolicLink;
        if (entry.linkTarget.size() > kMaxLinkTarget) return Malformed(entry.name, "a link target too long");
        break;
      case '1':
        return Malformed(entry.name, "a hard link, which runtime archives do not hold");
      default:
        return Malformed(entry.name, "a device, pipe or other special file");
    }
    entry.linkTarget = entry.kind == EntryKind::SymbolicLink ? entry.linkTarget : std::string();
    return std::optional<ArchiveEntry>(std::move(entry));
  }

  // Content of an entry: a file's bytes to the writer, anything else skipped.
  ArchiveResult<platform::Done> Contents(const ArchiveEntry& entry, GzipStream& data, EntryWriter* writer) {
    // Folders and links carry no bytes of their own; what a header claims for them is skipped.
    uint64_t left = entry.size;
    if (writer != nullptr && !writer->Begin(entry)) return Stopped(entry.name);
    if (writer != nullptr && entry.kind == EntryKind::File) {
      std::string buffer(static_cast<size_t>(std::min<uint64_t>(left, kBufferSize)), '\0');
      while (left > 0) {
        const size_t piece = static_cast<size_t>(std::min<uint64_t>(left, buffer.size()));
        ArchiveResult<size_t> read = data.Read(std::span<char>(buffer.data(), piece), entry.name);
        if (!read) return read.error();
        if (*read != piece) return Malformed(entry.name, "the archive ends inside this entry");
        if (!writer->Write(std::string_view(buffer.data(), piece))) return Stopped(entry.name);
        left -= piece;
      }
    }
    ArchiveResult<platform::Done> skipped = data.Skip(left + Padding(entry.size), entry.name);
    if (!skipped) return skipped;
    if (writer != nullptr && !writer->End()) return Stopped(entry.name);
    return platform::Done{};
  }

  static uint64_t Padding(uint64_t size) { return (kBlock - size % kBlock) % kBlock; }

  static ArchiveResult<std::string> ReadPadded(GzipStream& data, uint64_t size, const std::string& entry) {
    std::string text(static_cast<size_t>(size), '\0');
    ArchiveResult<size_t> read = data.Read(text, entry);
    if (!read) return read.error();
    if (*read != text.size()) return Malformed(entry, "the archive ends inside an extended header");
    ArchiveResult<platform::Done> skipped = data.Skip(Padding(size), entry);
    if (!skipped) return skipped.error();
    return text;
  }

  const ByteSource& source_;
  std::string lastName_;
};

}  // namespace

std::unique_ptr<ArchiveReader> OpenTarGz(const ByteSource& source) { return std::make_unique<TarGzReader>(source); }

}  // namespace launcher::runtime_install::formats
