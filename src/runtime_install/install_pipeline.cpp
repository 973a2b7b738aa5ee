#include "runtime_install/install_pipeline.h"

#include <chrono>
#include <thread>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "runtime_install/archive_fetch.h"
#include "runtime_install/archive_reader.h"
#include "runtime_install/runtime_check.h"
#include "runtime_install/unpacking.h"

namespace launcher::runtime_install {
namespace {

using InstallResult = platform::Expected<StoredRuntime, InstallFailure>;

constexpr auto kLockPoll = std::chrono::milliseconds(100);

InstallFailure Failure(FailureKind kind) {
  InstallFailure failure;
  failure.kind = kind;
  return failure;
}

InstallFailure StoreFailure(const WideString& path, platform::SystemError error) {
  InstallFailure failure = Failure(FailureKind::StoreUnusable);
  failure.detail = platform::ToUtf8(path);
  failure.systemError = error.code;
  return failure;
}

InstallProgress InPhase(InstallPhase phase) {
  InstallProgress progress;
  progress.phase = phase;
  return progress;
}

void TraceFailure(Trace& trace, const InstallFailure& failure) {
  TraceLine(trace, "runtime-install")
      .Word("step", "failed")
      .Word("kind", KindName(failure.kind))
      .Bytes("reason", Describe(failure))
      .Write();
}

void TraceStep(Trace& trace, std::string_view step, const WideString& path) {
  TraceLine(trace, "runtime-install").Word("step", step).Text("path", path).Write();
}

int64_t NowSince1970() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// Waits for the store's lock, telling the user once that another start has it.
platform::Expected<platform::FileLock, InstallFailure> TakeLock(const RuntimeStore& store,
                                                                const InstallCallbacks& callbacks, Trace& trace) {
  bool told = false;
  for (;;) {
    platform::SystemResult<std::optional<platform::FileLock>> lock = platform::FileLock::TryTake(store.LockFile());
    if (!lock) return StoreFailure(store.LockFile(), lock.error());
    if (*lock) return std::move(**lock);
    if (!told) {
      TraceStep(trace, "wait-for-other-start", store.LockFile());
      callbacks.progress(InPhase(InstallPhase::WaitingForOtherStart));
      told = true;
    }
    if (callbacks.cancelled()) return Failure(FailureKind::Cancelled);
    std::this_thread::sleep_for(kLockPoll);
  }
}

// Tries each source in order until one gives the pinned archive in the part file.
platform::Expected<platform::Done, InstallFailure> FetchFromSources(const InstallRequest& request,
                                                                    const FetchTarget& target,
                                                                    const InstallCallbacks& callbacks, Trace& trace) {
  std::optional<InstallFailure> first;
  const FetchObserver observer{.progress =
                                   [&](const FetchProgress& progress) {
                                     callbacks.progress({.phase = InstallPhase::Downloading,
                                                         .host = progress.host,
                                                         .source = progress.source,
                                                         .bytes = progress.bytes,
                                                         .total = progress.total,
                                                         .bytesPerSecond = progress.bytesPerSecond});
                                   },
                               .cancelled = callbacks.cancelled};
  for (const WideString& written : request.sources) {
    std::optional<ArchiveSource> source = ClassifySource(written, request.executableFolder);
    platform::Expected<platform::Done, InstallFailure> fetched =
        source ? FetchArchive(written, *source, target, observer, trace) : [&] {
          InstallFailure failure = Failure(FailureKind::UnsupportedSource);
          failure.source = written;
          return platform::Expected<platform::Done, InstallFailure>(failure);
        }();
    if (fetched) return fetched;
    TraceFailure(trace, fetched.error());
    const FailureKind kind = fetched.error().kind;
    if (kind == FailureKind::Cancelled || kind == FailureKind::DiskFull || kind == FailureKind::StoreUnusable) {
      return fetched;
    }
    if (!first) first = fetched.error();
  }
  if (!first) {
    InstallFailure none = Failure(FailureKind::UnsupportedSource);
    none.detail = "no archive address";
    return none;
  }
  return *first;
}

InstallFailure UnpackFailureOf(const UnpackFailure& unpack) {
  switch (unpack.kind) {
    case UnpackFailure::Kind::Cancelled:
      return Failure(FailureKind::Cancelled);
    case UnpackFailure::Kind::DiskFull: {
      InstallFailure failure = Failure(FailureKind::DiskFull);
      failure.needed = unpack.needed;
      failure.available = unpack.available;
      failure.systemError = unpack.systemError;
      return failure;
    }
    case UnpackFailure::Kind::WriteFailed: {
      InstallFailure failure = Failure(FailureKind::StoreUnusable);
      failure.detail = unpack.entry;
      failure.systemError = unpack.systemError;
      return failure;
    }
    case UnpackFailure::Kind::BadArchive:
      break;
  }
  InstallFailure failure = Failure(FailureKind::BadArchive);
  failure.entry = unpack.entry;
  failure.reason = unpack.reason;
  return failure;
}

// The home's path inside the content folder, with "/" between folders ("" for the folder itself).
std::string RelativeHome(const WideString& content, const WideString& home) {
  WideString relative = home.size() > content.size() ? home.substr(content.size() + 1) : WideString();
  std::replace(relative.begin(), relative.end(), platform::kPathSeparator, L'/');
  return platform::ToUtf8(relative);
}

// Unpacks the verified archive into the content folder; the archive is
// closed again when it returns (Windows removes no open file).
platform::Expected<UnpackedArchive, InstallFailure> UnpackArchive(const WideString& part, const WideString& content,
                                                                  const ArchiveLimits& limits,
                                                                  const InstallCallbacks& callbacks) {
  platform::SystemResult<platform::ReadableFile> file = platform::ReadableFile::Open(part);
  if (!file) return StoreFailure(part, file.error());
  FileSource source(std::move(*file));
  char start[4] = {};
  platform::SystemResult<size_t> read = source.ReadAt(0, start);
  const std::optional<ArchiveFormat> format =
      read ? FormatOfBytes(std::string_view(start, *read)) : std::optional<ArchiveFormat>();
  if (!format) {
    InstallFailure failure = Failure(FailureKind::BadArchive);
    failure.reason = "neither a zip archive nor a gzip-compressed tar archive";
    return failure;
  }
  if (platform::SystemStatus made = platform::MakeFolders(content); !made) return StoreFailure(content, made.error());
  std::unique_ptr<ArchiveReader> reader = ArchiveReader::Open(*format, source);
  const UnpackObserver observer{.progress =
                                    [&](uint64_t done, uint64_t total) {
                                      InstallProgress progress = InPhase(InstallPhase::Unpacking);
                                      progress.filesDone = done;
                                      progress.filesTotal = total;
                                      callbacks.progress(progress);
                                    },
                                .cancelled = callbacks.cancelled};
  platform::Expected<UnpackedArchive, UnpackFailure> unpacked = Unpack(*reader, content, limits, observer);
  if (!unpacked) return UnpackFailureOf(unpacked.error());
  return *unpacked;
}

// Unpacks the verified archive, checks the runtime and names it. A bad
// archive or a runtime that does not qualify takes the archive with it; the
// unpacking folder goes whatever happens.
InstallResult UnpackAndComplete(const InstallRequest& request, const RuntimeStore& store, const std::string& key,
                                const InstallCallbacks& callbacks, Trace& trace) {
  const WideString part = store.PartFile(key), unpacking = store.UnpackFolder(key);
  const WideString content = RuntimeStore::ContentFolder(unpacking);
  auto discard = [&](InstallFailure failure, bool archiveToo) -> InstallResult {
    platform::RemoveTree(unpacking);
    if (archiveToo) platform::RemoveTree(part);
    TraceFailure(trace, failure);
    return failure;
  };
  callbacks.progress(InPhase(InstallPhase::Checking));
  TraceStep(trace, "unpack", unpacking);
  platform::Expected<UnpackedArchive, InstallFailure> unpacked =
      UnpackArchive(part, content, request.limits, callbacks);
  if (!unpacked) return discard(unpacked.error(), unpacked.error().kind == FailureKind::BadArchive);
  platform::Expected<UnpackedRuntime, std::string> runtime = CheckUnpackedRuntime(content, request.requirements);
  if (!runtime) {
    InstallFailure failure = Failure(FailureKind::NotQualified);
    failure.reason = runtime.error();
    return discard(failure, true);
  }
  TraceLine(trace, "runtime-install")
      .Word("step", "check")
      .Text("home", runtime->home)
      .Bytes("version", runtime->versionText)
      .Number("entries", static_cast<int64_t>(unpacked->entries))
      .Number("bytes", static_cast<int64_t>(unpacked->bytes))
      .Write();
  const std::string marker =
      MarkerText(HexOf(request.sha256), RelativeHome(content, runtime->home), runtime->versionText);
  if (platform::SystemStatus completed = store.Complete(key, marker); !completed) {
    return discard(StoreFailure(store.RuntimeFolder(key), completed.error()), false);
  }
  platform::RemoveTree(part);
  std::optional<StoredRuntime> stored = store.Find(key);
  if (!stored) return discard(StoreFailure(store.RuntimeFolder(key), platform::SystemError{0}), false);
  TraceStep(trace, "installed", stored->home);
  return *stored;
}

}  // namespace

InstallResult InstallRuntime(const InstallRequest& request, const InstallCallbacks& callbacks, Trace& trace) {
  const RuntimeStore store(request.storeFolder);
  const std::string key = StoreKeyOf(request.sha256);
  if (platform::SystemStatus made = platform::MakeFolders(platform::ParentOf(store.LockFile())); !made) {
    InstallFailure failure = StoreFailure(store.Folder(), made.error());
    TraceFailure(trace, failure);
    return failure;
  }
  platform::Expected<platform::FileLock, InstallFailure> lock = TakeLock(store, callbacks, trace);
  if (!lock) {
    TraceFailure(trace, lock.error());
    return lock.error();
  }
  store.RemoveStaleWork(NowSince1970(), kWorkingFileLifetime, trace);
  if (std::optional<StoredRuntime> installed = store.Find(key)) {
    TraceStep(trace, "found-in-store", installed->home);
    return *installed;
  }
  const FetchTarget target{.partFile = store.PartFile(key),
                           .sha256 = request.sha256,
                           .sizeLimit = request.archiveSize.value_or(request.limits.maxUnpackedBytes),
                           .sizeDeclared = request.archiveSize.has_value()};
  platform::Expected<platform::Done, InstallFailure> fetched = FetchFromSources(request, target, callbacks, trace);
  if (!fetched) return fetched.error();
  return UnpackAndComplete(request, store, key, callbacks, trace);
}

}  // namespace launcher::runtime_install
