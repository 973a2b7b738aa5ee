#include "runtime_install/unpacking.h"

#include <numeric>
#include <optional>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "runtime_install/entry_rules.h"

namespace launcher::runtime_install {
namespace {

using platform::FileFailure;
using platform::SystemStatus;
using platform::WritableFile;

UnpackFailure Failure(UnpackFailure::Kind kind, std::string entry, std::string reason) {
  return {.kind = kind,
          .entry = std::move(entry),
          .reason = std::move(reason),
          .needed = 0,
          .available = 0,
          .systemError = 0};
}

// The path of an accepted entry inside the folder, in the system's syntax.
WideString PathIn(const WideString& folder, const std::string& name) {
  WideString path = folder;
  for (const std::string& component : NameComponents(name)) {
    path = platform::WithTrailingSeparator(path) + platform::FromUtf8(component);
  }
  return path;
}

class FolderWriter final : public EntryWriter {
 public:
  FolderWriter(const WideString& folder, uint64_t total, uint64_t bytes, const UnpackObserver& observer)
      : folder_(folder), total_(total), bytesLeft_(bytes), observer_(observer) {}

  bool Begin(const ArchiveEntry& entry) override {
    entry_ = &entry;
    // The second reading must be the first one again.
    if (done_ >= total_ || CheckEntryName(entry.name)) {
      failure_ = Failure(UnpackFailure::Kind::BadArchive, entry.name, "an entry the listing did not show");
      return false;
    }
    const WideString path = PathIn(folder_, entry.name);
    switch (entry.kind) {
      case EntryKind::Folder:
        return Check(platform::MakeFolders(path));
      case EntryKind::SymbolicLink:
        links_.push_back({path, platform::FromUtf8(entry.linkTarget), entry.name});
        return true;
      case EntryKind::File:
        break;
    }
    if (!Check(platform::MakeFolders(platform::ParentOf(path)))) return false;
    const auto permissions =
        entry.executable ? platform::FilePermissions::Executable : platform::FilePermissions::Ordinary;
    platform::SystemResult<WritableFile> file = WritableFile::CreateNew(path, permissions);
    if (!file) return Check(file.error());
    file_.emplace(std::move(*file));
    return true;
  }

  bool Write(std::string_view bytes) override {
    if (!Check(file_->Write(bytes))) return false;
    bytesLeft_ -= std::min<uint64_t>(bytesLeft_, bytes.size());
    return !Cancelled();
  }

  bool End() override {
    file_.reset();
    observer_.progress(++done_, total_);
    return !Cancelled();
  }

  // Makes the links, once everything else is in place.
  bool MakeLinks() {
    for (const Link& link : links_) {
      if (!Check(platform::MakeFolders(platform::ParentOf(link.path)), link.entry) ||
          !Check(platform::MakeSymbolicLink(link.path, link.target), link.entry)) {
        return false;
      }
    }
    return true;
  }

  const std::optional<UnpackFailure>& failure() const { return failure_; }

 private:
  struct Link {
    WideString path;
    WideString target;
    std::string entry;
  };

  bool Cancelled() {
    if (!observer_.cancelled()) return false;
    failure_ = Failure(UnpackFailure::Kind::Cancelled, entry_->name, {});
    return true;
  }

  bool Check(const platform::SystemStatus& status, const std::string& entry) {
    if (status) return true;
    if (platform::ClassifyFileFailure(status.error()) == FileFailure::NameTaken) {
      failure_ = Failure(UnpackFailure::Kind::BadArchive, entry, "a name that another entry has taken");
      return false;
    }
    if (platform::ClassifyFileFailure(status.error()) == FileFailure::DiskFull) {
      platform::SystemResult<uint64_t> free = platform::FreeDiskSpace(folder_);
      failure_ = UnpackFailure{.kind = UnpackFailure::Kind::DiskFull,
                               .entry = entry,
                               .reason = {},
                               .needed = bytesLeft_,
                               .available = free ? *free : 0,
                               .systemError = status.error().code};
    } else {
      failure_ = UnpackFailure{.kind = UnpackFailure::Kind::WriteFailed,
                               .entry = entry,
                               .reason = {},
                               .needed = 0,
                               .available = 0,
                               .systemError = status.error().code};
    }
    return false;
  }
  bool Check(const platform::SystemStatus& status) { return Check(status, entry_->name); }

  const WideString& folder_;
  const uint64_t total_;
  uint64_t bytesLeft_;
  const UnpackObserver& observer_;
  const ArchiveEntry* entry_ = nullptr;
  uint64_t done_ = 0;
  std::optional<WritableFile> file_;
  std::vector<Link> links_;
  std::optional<UnpackFailure> failure_;
};

}  // namespace

platform::Expected<UnpackedArchive, UnpackFailure> Unpack(ArchiveReader& reader, const WideString& folder,
                                                          const ArchiveLimits& limits, const UnpackObserver& observer) {
  ArchiveResult<std::vector<ArchiveEntry>> entries = reader.List(limits.maxEntries);
  if (!entries) return Failure(UnpackFailure::Kind::BadArchive, entries.error().entry, entries.error().reason);
  if (std::optional<EntryRefusal> refusal = CheckEntries(*entries, limits)) {
    return Failure(UnpackFailure::Kind::BadArchive, refusal->entry, Describe(refusal->problem));
  }
  const uint64_t bytes = std::accumulate(
      entries->begin(), entries->end(), uint64_t{0},
      [](uint64_t sum, const ArchiveEntry& entry) { return entry.kind == EntryKind::File ? sum + entry.size : sum; });
  if (platform::SystemResult<uint64_t> free = platform::FreeDiskSpace(folder); free && *free < bytes) {
    return UnpackFailure{.kind = UnpackFailure::Kind::DiskFull,
                         .entry = {},
                         .reason = {},
                         .needed = bytes,
                         .available = *free,
                         .systemError = 0};
  }
  FolderWriter writer(folder, entries->size(), bytes, observer);
  ArchiveResult<platform::Done> read = reader.Read(writer);
  if (writer.failure()) return *writer.failure();
  if (!read) return Failure(UnpackFailure::Kind::BadArchive, read.error().entry, read.error().reason);
  if (!writer.MakeLinks()) return *writer.failure();
  return UnpackedArchive{.entries = entries->size(), .bytes = bytes};
}

}  // namespace launcher::runtime_install
