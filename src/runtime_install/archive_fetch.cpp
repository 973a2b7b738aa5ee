#include "runtime_install/archive_fetch.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cwctype>
#include <span>

#include "common/text.h"
#include "platform/files.h"
#include "platform/http_client.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "runtime_install/runtime_store.h"

namespace launcher::runtime_install {
namespace {

using platform::SystemStatus;
using platform::WritableFile;
using Clock = std::chrono::steady_clock;
using FetchResult = platform::Expected<platform::Done, InstallFailure>;

constexpr size_t kChunk = 1 << 20;
constexpr auto kProgressInterval = std::chrono::milliseconds(100);

bool StartsWithIgnoringCase(const WideString& text, const WideString& prefix) {
  return EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// "%XX" escapes of a file: address, decoded as UTF-8.
std::string PercentDecoded(std::string_view text) {
  std::string decoded;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) && hex(text[i + 2])) {
      decoded.push_back(static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16)));
      i += 2;
    } else {
      decoded.push_back(text[i]);
    }
  }
  return decoded;
}

// A file: address as a path: file:///C:/x.zip and file://server/share/x.zip on
// Windows, file:///home/x.zip on POSIX.
std::optional<WideString> PathOfFileUrl(const WideString& url) {
  const std::string rest = PercentDecoded(platform::ToUtf8(url.substr(5)));
  if (!rest.starts_with("//")) return std::nullopt;
  const size_t slash = rest.find('/', 2);
  std::string host = rest.substr(2, slash == std::string::npos ? std::string::npos : slash - 2);
  std::string path = slash == std::string::npos ? std::string() : rest.substr(slash);
  WideString result = platform::FromUtf8(path);
  const bool windowsSyntax = platform::kPathSeparator == L'\\';
  if (windowsSyntax) {
    std::replace(result.begin(), result.end(), L'/', L'\\');
    // "\C:\x.zip": the drive comes first.
    if (result.size() >= 3 && result[0] == L'\\' && result[2] == L':') result.erase(0, 1);
  }
  if (!host.empty() && host != "localhost") {
    if (!windowsSyntax) return std::nullopt;
    return L"\\\\" + platform::FromUtf8(host) + result;
  }
  return platform::IsAbsolutePath(result) ? std::optional<WideString>(result) : std::nullopt;
}

InstallFailure Failure(FailureKind kind, const WideString& written, const std::string& host = {}) {
  InstallFailure failure;
  failure.kind = kind;
  failure.source = written;
  failure.host = host;
  return failure;
}

InstallFailure StoreFailure(const WideString& written, const WideString& path, platform::SystemError error) {
  InstallFailure failure = Failure(FailureKind::StoreUnusable, written);
  failure.detail = platform::ToUtf8(path);
  failure.systemError = error.code;
  return failure;
}

// Reports progress a few times a second, with the speed since the transfer began.
class Meter {
 public:
  Meter(const FetchObserver& observer, FetchProgress progress) : observer_(observer), progress_(std::move(progress)) {}

  void Begin(uint64_t bytes, std::optional<uint64_t> total) {
    started_ = Clock::now();
    startBytes_ = bytes;
    progress_.total = total;
    ReportNow(bytes);
  }

  // At most every kProgressInterval.
  void Report(uint64_t bytes) {
    if (Clock::now() - reported_ >= kProgressInterval) ReportNow(bytes);
  }

  void ReportNow(uint64_t bytes) {
    const Clock::time_point time = Clock::now();
    reported_ = time;
    progress_.bytes = bytes;
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(time - started_).count();
    progress_.bytesPerSecond = elapsed > 0 ? (bytes - std::min(bytes, startBytes_)) * 1000 / elapsed : 0;
    observer_.progress(progress_);
  }

 private:
  const FetchObserver& observer_;
  FetchProgress progress_;
  Clock::time_point started_ = Clock::now();
  Clock::time_point reported_{};
  uint64_t startBytes_ = 0;
};

// Hashes what earlier starts left in a part file: the bytes hashed, 0 when
// there is none or it is longer than any archive may be.
platform::SystemResult<uint64_t> HashExisting(const WideString& path, uint64_t limit, platform::Sha256& hash) {
  platform::SystemResult<platform::ReadableFile> file = platform::ReadableFile::Open(path);
  if (!file || file->Size() > limit) return uint64_t{0};
  std::string buffer(kChunk, '\0');
  for (uint64_t offset = 0; offset < file->Size();) {
    const size_t want = static_cast<size_t>(std::min<uint64_t>(buffer.size(), file->Size() - offset));
    platform::SystemResult<size_t> read = file->ReadAt(offset, std::span<char>(buffer.data(), want));
    if (!read) return read.error();
    if (*read != want) return offset;
    if (platform::SystemStatus added = hash.Add(std::string_view(buffer.data(), want)); !added) return added.error();
    offset += want;
  }
  return file->Size();
}

// The part file and the hash of what it holds, written together.
class HashedPart {
 public:
  // The part file as earlier starts left it, its bytes hashed again (read
  // before the file is opened to write: Windows lets no reader share a
  // writer's file otherwise); begun anew when that fails to add up.
  static platform::Expected<HashedPart, InstallFailure> Open(const WideString& written, const FetchTarget& target) {
    platform::SystemResult<platform::Sha256> hash = platform::Sha256::Begin();
    if (!hash) return StoreFailure(written, L"SHA-256", hash.error());
    platform::SystemResult<uint64_t> hashed = HashExisting(target.partFile, target.sizeLimit, *hash);
    if (!hashed) return StoreFailure(written, target.partFile, hashed.error());
    platform::SystemResult<WritableFile> file = WritableFile::OpenForAppend(target.partFile);
    if (!file) return StoreFailure(written, target.partFile, file.error());
    HashedPart part(std::move(*file), std::move(*hash));
    if (part.Size() != *hashed) {
      if (platform::SystemStatus restarted = part.Restart(); !restarted) {
        return StoreFailure(written, target.partFile, restarted.error());
      }
    }
    return part;
  }

  uint64_t Size() const { return file_.Size(); }

  platform::SystemStatus Restart() {
    platform::SystemResult<platform::Sha256> hash = platform::Sha256::Begin();
    if (!hash) return hash.error();
    hash_ = std::move(*hash);
    return file_.Truncate();
  }

  platform::SystemStatus Append(std::string_view bytes) {
    if (platform::SystemStatus written = file_.Write(bytes); !written) return written;
    return hash_.Add(bytes);
  }

  platform::SystemResult<platform::Sha256Digest> Finish() { return hash_.Finish(); }

 private:
  HashedPart(WritableFile file, platform::Sha256 hash) : file_(std::move(file)), hash_(std::move(hash)) {}
  WritableFile file_;
  platform::Sha256 hash_;
};

InstallFailure DiskFull(const WideString& written, const WideString& part, uint64_t needed,
                        platform::SystemError error) {
  InstallFailure failure = Failure(FailureKind::DiskFull, written);
  failure.needed = needed;
  platform::SystemResult<uint64_t> free = platform::FreeDiskSpace(platform::ParentOf(part));
  failure.available = free ? *free : 0;
  failure.systemError = error.code;
  return failure;
}

InstallFailure WriteFailure(const WideString& written, const FetchTarget& target, uint64_t needed,
                            platform::SystemError error) {
  if (platform::ClassifyFileFailure(error) == platform::FileFailure::DiskFull)
    return DiskFull(written, target.partFile, needed, error);
  return StoreFailure(written, target.partFile, error);
}

// Compares the finished hash with the pinned one; wrong bytes leave the store.
FetchResult Verify(HashedPart& part, const WideString& written, const FetchTarget& target, const std::string& host,
                   Trace& trace) {
  platform::SystemResult<platform::Sha256Digest> digest = part.Finish();
  if (!digest) return StoreFailure(written, L"SHA-256", digest.error());
  const std::string actual = HexOf(*digest), expected = HexOf(target.sha256);
  TraceLine(trace, "runtime-install")
      .Word("step", "verify")
      .Text("source", written)
      .Number("bytes", static_cast<int64_t>(part.Size()))
      .Word("sha256", actual)
      .Word("verdict", actual == expected ? "match" : "mismatch")
      .Write();
  if (actual == expected) return platform::Done{};
  InstallFailure failure = Failure(FailureKind::HashMismatch, written, host);
  failure.expectedSha256 = expected;
  failure.actualSha256 = actual;
  return failure;
}

InstallFailure TooLarge(const WideString& written, const FetchTarget& target, uint64_t size, const std::string& host) {
  InstallFailure failure = Failure(FailureKind::TooLarge, written, host);
  failure.sizeLimit = target.sizeLimit;
  failure.size = size;
  return failure;
}

// Takes a response's body into the part file, and keeps the first reason to stop.
class PartReceiver final : public platform::ResponseReceiver {
 public:
  PartReceiver(HashedPart& part, const WideString& written, const FetchTarget& target, const FetchObserver& observer,
               Meter& meter)
      : part_(part), written_(written), target_(target), observer_(observer), meter_(meter) {}

  bool Start(const platform::ResponseStart& start) override {
    host_ = start.host;
    // The server sent the whole file rather than the range: begin again.
    if (start.offset != part_.Size()) {
      if (start.offset != 0) return Fail(Failure(FailureKind::Interrupted, written_, host_));
      if (platform::SystemStatus restarted = part_.Restart(); !restarted) {
        return Fail(WriteFailure(written_, target_, 0, restarted.error()));
      }
    }
    if (start.totalSize && *start.totalSize > target_.sizeLimit) {
      return Fail(TooLarge(written_, target_, *start.totalSize, host_));
    }
    // A server that does not say leaves "Archive Size" to tell how much is to come.
    const std::optional<uint64_t> total = start.totalSize        ? start.totalSize
                                          : target_.sizeDeclared ? std::optional(target_.sizeLimit)
                                                                 : std::nullopt;
    if (total) {
      const uint64_t needed = *total - std::min(*total, part_.Size());
      platform::SystemResult<uint64_t> free = platform::FreeDiskSpace(platform::ParentOf(target_.partFile));
      if (free && *free < needed) {
        InstallFailure failure = Failure(FailureKind::DiskFull, written_, host_);
        failure.needed = needed;
        failure.available = *free;
        return Fail(std::move(failure));
      }
    }
    total_ = total;
    meter_.Begin(part_.Size(), total);
    return true;
  }

  bool Receive(std::string_view bytes) override {
    if (part_.Size() + bytes.size() > target_.sizeLimit) {
      return Fail(TooLarge(written_, target_, part_.Size() + bytes.size(), host_));
    }
    if (platform::SystemStatus appended = part_.Append(bytes); !appended) {
      const uint64_t needed = total_ ? *total_ - std::min(*total_, part_.Size()) : bytes.size();
      return Fail(WriteFailure(written_, target_, needed, appended.error()));
    }
    meter_.Report(part_.Size());
    return true;
  }

  // Asked from the transport's threads: it only reads; the Stopped failure
  // that follows says Cancelled.
  bool StopRequested() override { return observer_.cancelled(); }

  const std::optional<InstallFailure>& failure() const { return failure_; }
  const std::string& host() const { return host_; }

 private:
  bool Fail(InstallFailure failure) {
    failure_ = std::move(failure);
    return false;
  }

  HashedPart& part_;
  const WideString& written_;
  const FetchTarget& target_;
  const FetchObserver& observer_;
  Meter& meter_;
  std::string host_;
  std::optional<uint64_t> total_;
  std::optional<InstallFailure> failure_;
};

InstallFailure TransferFailureOf(const platform::TransferError& error, const WideString& written,
                                 const std::string& host) {
  using platform::TransferFailure;
  static constexpr std::pair<TransferFailure, FailureKind> kKinds[] = {
      {TransferFailure::NameNotFound, FailureKind::NameNotFound},
      {TransferFailure::NoConnection, FailureKind::NoNetwork},
      {TransferFailure::Tls, FailureKind::Tls},
      {TransferFailure::ProxyAuthentication, FailureKind::ProxyAuthentication},
      {TransferFailure::HttpStatus, FailureKind::HttpStatus},
      {TransferFailure::Redirect, FailureKind::Redirect},
      {TransferFailure::Interrupted, FailureKind::Interrupted},
      {TransferFailure::Stopped, FailureKind::Cancelled},
      {TransferFailure::UnsupportedAddress, FailureKind::UnsupportedSource},
      {TransferFailure::TransportMissing, FailureKind::NoNetwork},
  };
  const auto* kind =
      std::find_if(std::begin(kKinds), std::end(kKinds), [&](const auto& pair) { return pair.first == error.failure; });
  InstallFailure failure = Failure(kind->second, written, host);
  failure.httpStatus = error.httpStatus;
  failure.detail = error.detail;
  failure.systemError = error.code;
  return failure;
}

constexpr int kRangeNotSatisfiable = 416;

FetchResult FetchFromServer(const WideString& written, const std::string& url, const FetchTarget& target,
                            const FetchObserver& observer, Trace& trace) {
  platform::Expected<HashedPart, InstallFailure> part = HashedPart::Open(written, target);
  if (!part) return part.error();
  const std::string host = platform::HostOf(url);
  TraceLine(trace, "runtime-install")
      .Word("step", "download")
      .Text("source", written)
      .Number("resume-at", static_cast<int64_t>(part->Size()))
      .Write();
  // A part as long as the archive came whole before the start ended: it only needs checking.
  if (part->Size() > 0 && target.sizeDeclared && part->Size() == target.sizeLimit) {
    return Verify(*part, written, target, host, trace);
  }
  Meter meter(observer, {.host = host, .source = written, .bytes = 0, .total = std::nullopt, .bytesPerSecond = 0});
  PartReceiver receiver(*part, written, target, observer, meter);
  platform::TransferResult<platform::Done> transfer = platform::HttpGet(url, part->Size(), receiver);
  if (receiver.failure()) return *receiver.failure();
  if (!transfer) {
    // A range that starts at the archive's end: the part is whole.
    if (transfer.error().failure == platform::TransferFailure::HttpStatus &&
        transfer.error().httpStatus == kRangeNotSatisfiable && part->Size() > 0) {
      return Verify(*part, written, target, host, trace);
    }
    return TransferFailureOf(transfer.error(), written, receiver.host().empty() ? host : receiver.host());
  }
  meter.ReportNow(part->Size());
  return Verify(*part, written, target, receiver.host(), trace);
}

FetchResult CopyFromFile(const WideString& written, const WideString& path, const FetchTarget& target,
                         const FetchObserver& observer, Trace& trace) {
  TraceLine(trace, "runtime-install").Word("step", "copy").Text("source", written).Text("path", path).Write();
  platform::SystemResult<platform::ReadableFile> file = platform::ReadableFile::Open(path);
  if (!file) {
    InstallFailure failure = Failure(FailureKind::SourceMissing, written);
    failure.systemError = file.error().code;
    return failure;
  }
  if (file->Size() > target.sizeLimit) return TooLarge(written, target, file->Size(), {});
  // A file is copied whole: what an earlier start left is not hashed again.
  platform::RemoveTree(target.partFile);
  platform::Expected<HashedPart, InstallFailure> part = HashedPart::Open(written, target);
  if (!part) return part.error();
  Meter meter(observer, {.host = {}, .source = written, .bytes = 0, .total = file->Size(), .bytesPerSecond = 0});
  meter.Begin(0, file->Size());
  std::string buffer(kChunk, '\0');
  for (uint64_t offset = 0; offset < file->Size();) {
    if (observer.cancelled()) return Failure(FailureKind::Cancelled, written);
    const size_t want = static_cast<size_t>(std::min<uint64_t>(buffer.size(), file->Size() - offset));
    platform::SystemResult<size_t> read = file->ReadAt(offset, std::span<char>(buffer.data(), want));
    if (!read || *read != want) {
      InstallFailure failure = Failure(FailureKind::SourceMissing, written);
      failure.systemError = read ? 0 : read.error().code;
      return failure;
    }
    if (platform::SystemStatus appended = part->Append(std::string_view(buffer.data(), want)); !appended) {
      return WriteFailure(written, target, file->Size() - offset, appended.error());
    }
    offset += want;
    meter.Report(offset);
  }
  meter.ReportNow(file->Size());
  return Verify(*part, written, target, {}, trace);
}

}  // namespace

std::optional<ArchiveSource> ClassifySource(const WideString& written, const WideString& executableFolder) {
  if (StartsWithIgnoringCase(written, L"https://") || StartsWithIgnoringCase(written, L"http://")) {
    return ArchiveSource{.kind = SourceKind::Http, .url = platform::ToUtf8(written), .path = {}};
  }
  if (StartsWithIgnoringCase(written, L"file:")) {
    std::optional<WideString> path = PathOfFileUrl(written);
    if (!path) return std::nullopt;
    return ArchiveSource{.kind = SourceKind::LocalFile, .url = {}, .path = *path};
  }
  // Any other scheme (two letters or more before the colon; one is a drive).
  const size_t colon = written.find(L':');
  if (colon != WideString::npos && colon > 1 &&
      std::all_of(written.begin(), written.begin() + static_cast<ptrdiff_t>(colon),
                  [](wchar_t c) { return std::iswalnum(c) || c == L'+' || c == L'-' || c == L'.'; })) {
    return std::nullopt;
  }
  if (written.empty()) return std::nullopt;
  const WideString path =
      platform::IsAbsolutePath(written) ? written : platform::WithTrailingSeparator(executableFolder) + written;
  return ArchiveSource{.kind = SourceKind::LocalFile, .url = {}, .path = path};
}

platform::Expected<platform::Done, InstallFailure> FetchArchive(const WideString& written, const ArchiveSource& source,
                                                                const FetchTarget& target,
                                                                const FetchObserver& observer, Trace& trace) {
  FetchResult fetched = source.kind == SourceKind::Http ? FetchFromServer(written, source.url, target, observer, trace)
                                                        : CopyFromFile(written, source.path, target, observer, trace);
  // Bytes that are not the archive's leave the store (once the part file is closed).
  if (!fetched &&
      (fetched.error().kind == FailureKind::HashMismatch || fetched.error().kind == FailureKind::TooLarge)) {
    platform::RemoveTree(target.partFile);
  }
  return fetched;
}

}  // namespace launcher::runtime_install
