#include "package/package_tool.h"

#include <algorithm>
#include <cstdio>

#include "package/msi_summary.h"
#include "package/package_options.h"
#include "package/wix_source.h"
#include "package/zip_writer.h"
#include "platform/files.h"
#include "platform/hashing.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text.h"

namespace launcher::package {

namespace {

// Every stamped time is this one, 1980-01-01 00:00 UTC (the first a zip
// archive can hold), so that two runs over the same files agree.
constexpr int64_t kFixedSecondsSince1970 = 315532800;
constexpr uint64_t kFixedFileTime = 119600064000000000;  // the same instant, counted as Windows counts it
constexpr uint32_t kWixlLimitMilliseconds = 10 * 60 * 1000;

struct PackagedFile {
  std::string path;  // in the install folder, '/'-separated
  std::string bytes;
};

std::string Utf8(const WideString& text) { return platform::ToUtf8(text); }

WideString Joined(const WideString& folder, const std::string& path) {
  WideString joined = platform::WithTrailingSeparator(folder) + platform::FromUtf8(path);
  std::replace(joined.begin(), joined.end(), L'/', platform::kPathSeparator);
  return joined;
}

// The files under folder (prefix: their path so far), each read whole. A
// link or anything but a file or folder is refused: what it stands for would
// differ on the machine the package is installed on.
PackageResult<bool> CollectFolder(const WideString& folder, const std::string& prefix,
                                  std::vector<PackagedFile>& files) {
  platform::SystemResult<std::vector<platform::FolderEntry>> entries = platform::ListFolder(folder);
  if (!entries) return PackageError{Utf8(folder) + ": cannot be listed"};
  for (const platform::FolderEntry& entry : *entries) {
    const std::string path = prefix + Utf8(entry.name);
    const WideString full = Joined(folder, Utf8(entry.name));
    if (entry.type == platform::EntryType::Folder) {
      if (PackageResult<bool> inner = CollectFolder(full, path + "/", files); !inner) return inner;
    } else if (entry.type == platform::EntryType::File) {
      platform::SystemResult<std::string> bytes = platform::ReadWholeFile(full);
      if (!bytes) return PackageError{Utf8(full) + ": cannot be read"};
      files.push_back({.path = path, .bytes = std::move(*bytes)});
    } else {
      return PackageError{Utf8(full) + ": is a link or a special file; copy what it stands for into the folder"};
    }
  }
  return true;
}

// The program first, then the folder's files in the order of their paths.
PackageResult<std::vector<PackagedFile>> CollectFiles(const PackageOptions& options, const std::string& exeName) {
  platform::SystemResult<std::string> exe = platform::ReadWholeFile(options.exe);
  if (!exe) return PackageError{Utf8(options.exe) + ": cannot be read"};
  std::vector<PackagedFile> files{{.path = exeName, .bytes = std::move(*exe)}};
  if (!options.files) return files;
  std::vector<PackagedFile> others;
  if (PackageResult<bool> collected = CollectFolder(*options.files, "", others); !collected) return collected.error();
  std::sort(others.begin(), others.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
  for (PackagedFile& file : others) {
    if (file.path == exeName)
      return PackageError{Utf8(*options.files) + ": holds a file named " + exeName + ", the program's name"};
    files.push_back(std::move(file));
  }
  return files;
}

PackageResult<platform::Sha256Digest> DigestOf(const std::vector<std::string_view>& pieces) {
  platform::SystemResult<platform::Sha256> hash = platform::Sha256::Begin();
  if (!hash) return PackageError{"cannot hash: the system's hashing library (libcrypto) is missing"};
  for (const std::string_view piece : pieces) {
    if (!hash->Add(piece) || !hash->Add(std::string_view("\0", 1))) return PackageError{"hashing failed"};
  }
  platform::SystemResult<platform::Sha256Digest> digest = hash->Finish();
  if (!digest) return PackageError{"hashing failed"};
  return *digest;
}

std::string Hex(const uint8_t* bytes, size_t count) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i < count; ++i) {
    out += kDigits[bytes[i] >> 4];
    out += kDigits[bytes[i] & 0xF];
  }
  return out;
}

// A GUID from the seed's SHA-256, marked as a name-based one of our own
// making (version 8, RFC 9562). Hashing has worked once (the content's
// digest) before any GUID is made.
std::string DerivedGuid(std::string_view seed) {
  platform::Sha256Digest digest = DigestOf({seed}).value_or(platform::Sha256Digest{});
  digest[6] = static_cast<uint8_t>((digest[6] & 0x0F) | 0x80);
  digest[8] = static_cast<uint8_t>((digest[8] & 0x3F) | 0x80);
  const std::string hex = Hex(digest.data(), 16);
  return "{" + hex.substr(0, 8) + "-" + hex.substr(8, 4) + "-" + hex.substr(12, 4) + "-" + hex.substr(16, 4) + "-" +
         hex.substr(20, 12) + "}";
}

PackageResult<bool> MakeFolderOf(const WideString& path) {
  const WideString parent = platform::ParentOf(platform::FixedToCurrentFolder(path));
  if (!platform::MakeFolders(parent)) return PackageError{Utf8(path) + ": its folder cannot be made"};
  return true;
}

// Made whole beside the output, then put in its place: a failed run leaves
// the output as it was.
PackageResult<bool> WriteOutput(const WideString& path, std::string_view bytes) {
  if (PackageResult<bool> folder = MakeFolderOf(path); !folder) return folder;
  if (!platform::ReplaceFileContents(path, bytes)) return PackageError{Utf8(path) + ": cannot be written"};
  return true;
}

PackageResult<std::string> WriteZip(const PackageOptions& options, const std::vector<PackagedFile>& files) {
  std::vector<ZipMember> members;
  for (const PackagedFile& file : files)
    members.push_back({.name = options.product.name + "/" + file.path, .bytes = file.bytes});
  std::sort(members.begin(), members.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  PackageResult<std::string> archive = ZipArchive(members);
  if (!archive) return PackageError{Utf8(*options.zip) + ": " + archive.error().message};
  if (PackageResult<bool> written = WriteOutput(*options.zip, *archive); !written) return written.error();
  return "wrote " + Utf8(*options.zip) + " (" + std::to_string(files.size()) + " files)\n";
}

// wixl reads the files through paths relative to its working folder, and
// records their times: they are copied into a folder of their own, dated alike.
PackageResult<bool> StageFiles(const WideString& stage, const std::vector<PackagedFile>& files) {
  for (const PackagedFile& file : files) {
    const WideString path = Joined(stage, "files/" + file.path);
    if (!platform::MakeFolders(platform::ParentOf(path)) || !platform::WriteFileBytes(path, file.bytes) ||
        !platform::SetModificationTime(path, kFixedSecondsSince1970)) {
      return PackageError{Utf8(path) + ": cannot be written"};
    }
  }
  return true;
}

WideString WixlProgram() { return platform::GetEnvironmentValue(L"WIXL").value_or(L"/usr/bin/wixl"); }

PackageResult<bool> RunWixl(const WideString& stage) {
  const WideString log = Joined(stage, "wixl.log");
  const WideString previous = platform::FixedToCurrentFolder(L".");
  if (!platform::ChangeCurrentFolder(stage)) return PackageError{Utf8(stage) + ": cannot be entered"};
  const platform::SystemResult<std::optional<uint32_t>> ran = platform::RunProgramAndWait(
      WixlProgram(), {L"-a", L"x64", L"-o", L"built.msi", L"product.wxs"}, log, kWixlLimitMilliseconds);
  platform::ChangeCurrentFolder(previous);
  if (!ran) return PackageError{"wixl (" + Utf8(WixlProgram()) + ") cannot be run: install Debian's wixl package"};
  if (*ran != std::optional<uint32_t>(0)) {
    return PackageError{"wixl failed: " + platform::ReadWholeFile(log).value_or("(it said nothing)")};
  }
  return true;
}

PackageResult<std::string> WriteMsi(const PackageOptions& options, const std::vector<PackagedFile>& files) {
  const ProductFacts& product = options.product;
  std::vector<std::string_view> pieces;
  for (const PackagedFile& file : files) {
    pieces.push_back(file.path);
    pieces.push_back(file.bytes);
  }
  PackageResult<platform::Sha256Digest> content = DigestOf(pieces);
  if (!content) return content.error();
  const InstallerCodes codes = CodesOf(product, Hex(content->data(), content->size()), DerivedGuid);
  std::vector<std::string> paths;
  for (size_t i = 1; i < files.size(); ++i) paths.push_back(files[i].path);
  const std::string source =
      WixSource({.product = product, .codes = codes, .exeName = files[0].path, .paths = paths, .sourceFolder = "files"},
                DerivedGuid);

  const WideString msi = platform::FixedToCurrentFolder(*options.msi);
  if (PackageResult<bool> folder = MakeFolderOf(msi); !folder) return folder.error();
  const WideString stage = msi + L"." + std::to_wstring(platform::CurrentProcessId()) + L".stage";
  PackageResult<std::string> outcome = [&]() -> PackageResult<std::string> {
    if (!platform::MakeFolders(stage)) return PackageError{Utf8(stage) + ": cannot be made"};
    if (PackageResult<bool> staged = StageFiles(stage, files); !staged) return staged.error();
    if (!platform::WriteFileBytes(Joined(stage, "product.wxs"), source))
      return PackageError{"cannot write the WiX source"};
    if (PackageResult<bool> built = RunWixl(stage); !built) return built.error();
    const WideString stamped = Joined(stage, "stamped.msi");
    PackageResult<bool> fixed =
        SetSummaryStamps(Utf8(Joined(stage, "built.msi")), Utf8(stamped), codes.package, kFixedFileTime);
    if (!fixed) return fixed.error();
    // Through the zip's writer, so that both outputs are replaced alike (a read-only one is not).
    platform::SystemResult<std::string> built = platform::ReadWholeFile(stamped);
    if (!built) return PackageError{Utf8(stamped) + ": cannot be read"};
    if (PackageResult<bool> written = WriteOutput(msi, *built); !written) return written.error();
    return "wrote " + Utf8(*options.msi) + " (product code " + codes.product + ", package code " + codes.package +
           ")\n";
  }();
  platform::RemoveTree(stage);
  return outcome;
}

ToolOutcome Refused(const std::string& message) {
  return {.exitCode = kToolRefused, .out = {}, .err = "launcher-package: " + message + "\n"};
}

}  // namespace

ToolOutcome RunPackageTool(const WideStringList& arguments) {
  PackageResult<PackageOptions> options = ParsePackageOptions(arguments);
  if (!options) return Refused(options.error().message);
  const std::string exeName = Utf8(platform::FileNameOf(options->exe));
  PackageResult<std::vector<PackagedFile>> files = CollectFiles(*options, exeName);
  if (!files) return Refused(files.error().message);
  ToolOutcome outcome;
  if (options->zip) {
    PackageResult<std::string> written = WriteZip(*options, *files);
    if (!written) return Refused(written.error().message);
    outcome.out += *written;
  }
  if (options->msi) {
    PackageResult<std::string> written = WriteMsi(*options, *files);
    if (!written) return Refused(written.error().message);
    outcome.out += *written;
  }
  return outcome;
}

}  // namespace launcher::package
