#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace launcher {

namespace test {

// Archives made in memory, the way the usual tools make them, for the tests
// of the archive reader and the runtime install.
struct ArchiveItem {
  enum class Kind { File, Folder, Link };
  std::string name;
  std::string content;  // a file's bytes, a link's target
  Kind kind = Kind::File;
  uint32_t mode = 0644;  // the Unix permission bits
};

ArchiveItem File(std::string name, std::string content, uint32_t mode = 0644);
ArchiveItem Folder(std::string name);
ArchiveItem Link(std::string name, std::string target);

enum class ZipLayout {
  Deflated,  // every file deflated, as zip -r does
  Stored,    // every file stored
  Zip64,     // sizes and offsets in the zip64 extra field and end records
};
std::string MakeZip(const std::vector<ArchiveItem>& items, ZipLayout layout = ZipLayout::Deflated);

// Names longer than ustar's 100 bytes go into a GNU "L" record or a pax "path".
enum class LongNames { Gnu, Pax };
std::string MakeTar(const std::vector<ArchiveItem>& items, LongNames longNames = LongNames::Gnu);
std::string MakeTarGz(const std::vector<ArchiveItem>& items, LongNames longNames = LongNames::Gnu);

// The gzip-compressed form of some bytes.
std::string Gzipped(const std::string& bytes);

// A zipped runtime of this system's layout in a top folder "jdk-VERSION": a
// release file with JAVA_VERSION, the server JVM library, and bin/java.
std::string MakeRuntimeZip(const std::string& version, const std::string& library = "a JVM library");

// The SHA-256 of some bytes, in lower-case hexadecimal.
std::string Sha256Hex(const std::string& bytes);

}  // namespace test

}  // namespace launcher
