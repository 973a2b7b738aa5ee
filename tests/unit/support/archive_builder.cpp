#include "archive_builder.h"

#include <algorithm>

#include "platform/hashing.h"
#include "platform/runtime_layout.h"
#include "platform/text.h"
#include "runtime_install/runtime_store.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>

namespace launcher {

namespace test {
namespace {

void Put(std::string& out, uint64_t value, int width) {
  for (int i = 0; i < width; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string Deflated(const std::string& bytes, int windowBits) {
  z_stream stream{};
  deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&stream, bytes.size()) + 32, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

uint32_t UnixMode(const ArchiveItem& item) {
  switch (item.kind) {
    case ArchiveItem::Kind::Folder:
      return 0040000 | 0755;
    case ArchiveItem::Kind::Link:
      return 0120000 | 0777;
    case ArchiveItem::Kind::File:
      break;
  }
  return 0100000 | item.mode;
}

void Octal(std::string& header, size_t offset, size_t width, uint64_t value) {
  std::snprintf(header.data() + offset, width, "%0*llo", static_cast<int>(width - 1),
                static_cast<unsigned long long>(value));
}

std::string TarHeader(const std::string& name, char type, uint64_t size, uint32_t mode, const std::string& link) {
  std::string header(512, '\0');
  std::memcpy(header.data(), name.data(), std::min<size_t>(name.size(), 100));
  Octal(header, 100, 8, mode & 07777);
  Octal(header, 108, 8, 0);
  Octal(header, 116, 8, 0);
  Octal(header, 124, 12, size);
  Octal(header, 136, 12, 0);
  header[156] = type;
  std::memcpy(header.data() + 157, link.data(), std::min<size_t>(link.size(), 100));
  std::memcpy(header.data() + 257,
              "ustar\0"
              "00",
              8);
  std::memset(header.data() + 148, ' ', 8);
  unsigned sum = 0;
  for (char c : header) sum += static_cast<unsigned char>(c);
  std::snprintf(header.data() + 148, 8, "%06o", sum);
  header[155] = ' ';
  return header;
}

void Padded(std::string& out, const std::string& bytes) {
  out += bytes;
  out.append((512 - bytes.size() % 512) % 512, '\0');
}

std::string PaxRecord(const std::string& key, const std::string& value) {
  const std::string body = " " + key + "=" + value + "\n";
  size_t length = body.size() + 1;
  while (std::to_string(length).size() + body.size() != length) ++length;
  return std::to_string(length) + body;
}

}  // namespace

ArchiveItem File(std::string name, std::string content, uint32_t mode) {
  return {std::move(name), std::move(content), ArchiveItem::Kind::File, mode};
}
ArchiveItem Folder(std::string name) { return {std::move(name), {}, ArchiveItem::Kind::Folder, 0755}; }
ArchiveItem Link(std::string name, std::string target) {
  return {std::move(name), std::move(target), ArchiveItem::Kind::Link, 0777};
}

std::string MakeZip(const std::vector<ArchiveItem>& items, ZipLayout layout) {
  std::string out, directory;
  const bool zip64 = layout == ZipLayout::Zip64;
  for (const ArchiveItem& item : items) {
    const bool deflate = layout != ZipLayout::Stored && item.kind == ArchiveItem::Kind::File;
    const std::string data = deflate ? Deflated(item.content, -MAX_WBITS) : item.content;
    const uint32_t crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(item.content.data()), static_cast<uInt>(item.content.size())));
    const uint64_t offset = out.size();
    Put(out, 0x04034b50, 4);
    Put(out, 20, 2);
    Put(out, 1 << 11, 2);  // UTF-8 names
    Put(out, deflate ? 8 : 0, 2);
    Put(out, 0, 4);
    Put(out, crc, 4);
    Put(out, data.size(), 4);
    Put(out, item.content.size(), 4);
    Put(out, item.name.size(), 2);
    Put(out, 0, 2);
    out += item.name + data;

    std::string extra;
    if (zip64) {
      Put(extra, 1, 2);
      Put(extra, 24, 2);
      Put(extra, item.content.size(), 8);
      Put(extra, data.size(), 8);
      Put(extra, offset, 8);
    }
    Put(directory, 0x02014b50, 4);
    Put(directory, (3 << 8) | 45, 2);  // made on Unix
    Put(directory, zip64 ? 45 : 20, 2);
    Put(directory, 1 << 11, 2);
    Put(directory, deflate ? 8 : 0, 2);
    Put(directory, 0, 4);
    Put(directory, crc, 4);
    Put(directory, zip64 ? 0xFFFFFFFF : data.size(), 4);
    Put(directory, zip64 ? 0xFFFFFFFF : item.content.size(), 4);
    Put(directory, item.name.size(), 2);
    Put(directory, extra.size(), 2);
    Put(directory, 0, 2);
    Put(directory, 0, 2);
    Put(directory, 0, 2);
    Put(directory, static_cast<uint64_t>(UnixMode(item)) << 16, 4);
    Put(directory, zip64 ? 0xFFFFFFFF : offset, 4);
    directory += item.name + extra;
  }
  const uint64_t directoryOffset = out.size();
  out += directory;
  if (zip64) {
    const uint64_t recordOffset = out.size();
    Put(out, 0x06064b50, 4);
    Put(out, 44, 8);
    Put(out, 45, 2);
    Put(out, 45, 2);
    Put(out, 0, 4);
    Put(out, 0, 4);
    Put(out, items.size(), 8);
    Put(out, items.size(), 8);
    Put(out, directory.size(), 8);
    Put(out, directoryOffset, 8);
    Put(out, 0x07064b50, 4);
    Put(out, 0, 4);
    Put(out, recordOffset, 8);
    Put(out, 1, 4);
  }
  Put(out, 0x06054b50, 4);
  Put(out, 0, 2);
  Put(out, 0, 2);
  Put(out, zip64 ? 0xFFFF : items.size(), 2);
  Put(out, zip64 ? 0xFFFF : items.size(), 2);
  Put(out, zip64 ? 0xFFFFFFFF : directory.size(), 4);
  Put(out, zip64 ? 0xFFFFFFFF : directoryOffset, 4);
  Put(out, 0, 2);
  return out;
}

std::string MakeTar(const std::vector<ArchiveItem>& items, LongNames longNames) {
  std::string tar;
  for (const ArchiveItem& item : items) {
    const bool longName = item.name.size() > 100;
    const bool longLink = item.kind == ArchiveItem::Kind::Link && item.content.size() > 100;
    if (longNames == LongNames::Gnu) {
      for (const auto& [type, text] : {std::pair{'L', &item.name}, {'K', &item.content}}) {
        if ((type == 'L' && !longName) || (type == 'K' && !longLink)) continue;
        tar += TarHeader("././@LongLink", type, text->size() + 1, 0644, {});
        Padded(tar, *text + '\0');
      }
    } else if (longName || longLink) {
      const std::string records =
          (longName ? PaxRecord("path", item.name) : "") + (longLink ? PaxRecord("linkpath", item.content) : "");
      tar += TarHeader("PaxHeaders/x", 'x', records.size(), 0644, {});
      Padded(tar, records);
    }
    switch (item.kind) {
      case ArchiveItem::Kind::File:
        tar += TarHeader(item.name, '0', item.content.size(), item.mode, {});
        Padded(tar, item.content);
        break;
      case ArchiveItem::Kind::Folder:
        tar += TarHeader(item.name, '5', 0, 0755, {});
        break;
      case ArchiveItem::Kind::Link:
        tar += TarHeader(item.name, '2', 0, 0777, item.content);
        break;
    }
  }
  tar.append(1024, '\0');
  return tar;
}

std::string MakeTarGz(const std::vector<ArchiveItem>& items, LongNames longNames) {
  return Gzipped(MakeTar(items, longNames));
}

std::string Gzipped(const std::string& bytes) { return Deflated(bytes, MAX_WBITS + 16); }

std::string MakeRuntimeZip(const std::string& version, const std::string& library) {
  std::string jvmLibrary = platform::ToUtf8(platform::JvmLibrarySubPaths(L"server").front());
  std::replace(jvmLibrary.begin(), jvmLibrary.end(), '\\', '/');
  return MakeZip({File("jdk-" + version + "/release", "JAVA_VERSION=\"" + version + "\"\n"),
                  File("jdk-" + version + "/" + jvmLibrary, library),
                  File("jdk-" + version + "/bin/java", "java", 0755)});
}

std::string Sha256Hex(const std::string& bytes) {
  platform::SystemResult<platform::Sha256> hash = platform::Sha256::Begin();
  if (!hash || !hash->Add(bytes)) return {};
  platform::SystemResult<platform::Sha256Digest> digest = hash->Finish();
  return digest ? runtime_install::HexOf(*digest) : std::string();
}

}  // namespace test

}  // namespace launcher
