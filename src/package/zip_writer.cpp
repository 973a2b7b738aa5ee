#include "package/zip_writer.h"

#include <zlib.h>

#include <cstdint>
#include <limits>

#include "common/little_endian.h"

namespace launcher::package {

namespace {

constexpr uint16_t kVersionNeeded = 20;   // deflate
constexpr uint16_t kUtf8Names = 1 << 11;  // general purpose flag: names are UTF-8
constexpr uint16_t kDeflated = 8;
constexpr uint16_t kFirstDosDate = 0x21;  // 1980-01-01; time 00:00 is 0

PackageResult<std::string> Deflated(const std::string& bytes) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    return PackageError{"zlib could not start compressing"};
  }
  std::string out(deflateBound(&stream, bytes.size()), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  const int result = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  if (result != Z_STREAM_END) return PackageError{"zlib could not compress a member"};
  return out;
}

// The fields a local header and its central directory entry share, from
// "version needed" to the name's length.
void PutCommonFields(std::string& out, const ZipMember& member, uint32_t crc, size_t compressedSize) {
  AppendU16(out, kVersionNeeded);
  AppendU16(out, kUtf8Names);
  AppendU16(out, kDeflated);
  AppendU16(out, 0);
  AppendU16(out, kFirstDosDate);
  AppendU32(out, crc);
  AppendU32(out, static_cast<uint32_t>(compressedSize));
  AppendU32(out, static_cast<uint32_t>(member.bytes.size()));
  AppendU16(out, static_cast<uint16_t>(member.name.size()));
}

}  // namespace

PackageResult<std::string> ZipArchive(const std::vector<ZipMember>& members) {
  constexpr uint64_t kLargest = std::numeric_limits<uint32_t>::max();
  if (members.size() > 0xFFFF) return PackageError{"holds more than 65535 files, more than a zip archive can list"};
  std::string archive;
  std::string directory;
  for (const ZipMember& member : members) {
    if (member.bytes.size() >= kLargest || archive.size() >= kLargest || member.name.size() > 0xFFFF) {
      return PackageError{"would be larger than 4 GB, or " + member.name + " is, which a zip archive cannot hold"};
    }
    PackageResult<std::string> compressed = Deflated(member.bytes);
    if (!compressed) return compressed.error();
    const uint32_t crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(member.bytes.data()), static_cast<uInt>(member.bytes.size())));
    const uint32_t offset = static_cast<uint32_t>(archive.size());

    AppendU32(archive, 0x04034b50);
    PutCommonFields(archive, member, crc, compressed->size());
    AppendU16(archive, 0);  // extra field
    archive += member.name;
    archive += *compressed;

    AppendU32(directory, 0x02014b50);
    AppendU16(directory, kVersionNeeded);  // made by: MS-DOS, so no permissions are read
    PutCommonFields(directory, member, crc, compressed->size());
    AppendU16(directory, 0);  // extra field
    AppendU16(directory, 0);  // comment
    AppendU16(directory, 0);  // disk
    AppendU16(directory, 0);  // internal attributes
    AppendU32(directory, 0);  // external attributes
    AppendU32(directory, offset);
    directory += member.name;
  }
  if (archive.size() + directory.size() >= kLargest) return PackageError{"would be larger than 4 GB"};
  const uint32_t directoryOffset = static_cast<uint32_t>(archive.size());
  archive += directory;
  AppendU32(archive, 0x06054b50);
  AppendU16(archive, 0);
  AppendU16(archive, 0);
  AppendU16(archive, static_cast<uint16_t>(members.size()));
  AppendU16(archive, static_cast<uint16_t>(members.size()));
  AppendU32(archive, static_cast<uint32_t>(directory.size()));
  AppendU32(archive, directoryOffset);
  AppendU16(archive, 0);
  return archive;
}

}  // namespace launcher::package
