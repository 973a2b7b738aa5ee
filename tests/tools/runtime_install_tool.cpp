// runtime_install_tool: the runtime install library on its own.
//
//   runtime_install_tool hash FILE
//   runtime_install_tool fetch SOURCE SHA256 FILE   (downloaded and verified, not unpacked)
//   runtime_install_tool unpack ARCHIVE FOLDER
//   runtime_install_tool install --store DIR --sha256 HEX [--size N] [--minimum V] [--maximum V]
//                                [--max-unpacked-bytes N] [--max-entries N] [--cancel-when FILE]
//                                [--trace] SOURCE...
//
// Exit codes: 0 done, 1 the library reported a failure (its line says which),
// 2 usage error.
#include "runtime_install_tool.h"

#include <cstdio>
#include <optional>
#include <span>
#include <string>

#include "platform/files.h"
#include "platform/hashing.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "runtime_install/archive_fetch.h"
#include "runtime_install/archive_reader.h"
#include "runtime_install/install_pipeline.h"
#include "runtime_install/runtime_store.h"
#include "runtime_install/unpacking.h"

using namespace launcher;

namespace {

using platform::ToUtf8;
using namespace launcher::runtime_install;

int Usage() {
  std::fprintf(stderr,
               "usage: runtime_install_tool hash FILE\n"
               "       runtime_install_tool fetch SOURCE SHA256 FILE\n"
               "       runtime_install_tool unpack ARCHIVE FOLDER\n"
               "       runtime_install_tool install --store DIR --sha256 HEX [--size N] [--minimum V] [--maximum V]\n"
               "                            [--max-unpacked-bytes N] [--max-entries N] [--cancel-when FILE]\n"
               "                            [--trace] SOURCE...\n");
  return 2;
}

void Say(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

int Hash(const WideString& path) {
  platform::SystemResult<platform::ReadableFile> file = platform::ReadableFile::Open(path);
  platform::SystemResult<platform::Sha256> hash = platform::Sha256::Begin();
  if (!file || !hash) {
    Say("failed error=" + std::to_string(file ? hash.error().code : file.error().code));
    return 1;
  }
  std::string buffer(1 << 20, '\0');
  for (uint64_t offset = 0; offset < file->Size();) {
    platform::SystemResult<size_t> read = file->ReadAt(offset, buffer);
    if (!read || *read == 0 || !hash->Add(std::string_view(buffer.data(), *read))) {
      Say("failed reading");
      return 1;
    }
    offset += *read;
  }
  platform::SystemResult<platform::Sha256Digest> digest = hash->Finish();
  if (!digest) return 1;
  Say(HexOf(*digest));
  return 0;
}

int Fetch(const WideString& written, const WideString& sha256, const WideString& file) {
  std::optional<platform::Sha256Digest> digest = ParseSha256(ToUtf8(sha256));
  std::optional<ArchiveSource> source = ClassifySource(written, platform::FixedToCurrentFolder(L"."));
  if (!digest || !source) return Usage();
  const FetchTarget target{.partFile = file,
                           .sha256 = *digest,
                           .sizeLimit = runtime_install::kRuntimeArchiveLimits.maxUnpackedBytes,
                           .sizeDeclared = false};
  platform::Expected<platform::Done, runtime_install::InstallFailure> fetched =
      FetchArchive(written, *source, target,
                   {.progress = [](const FetchProgress&) {}, .cancelled = [] { return false; }}, NoTrace());
  if (!fetched) {
    Say(std::string("failed kind=") + KindName(fetched.error().kind) + ": " +
        runtime_install::Describe(fetched.error()));
    return 1;
  }
  Say("fetched");
  return 0;
}

int UnpackArchive(const WideString& archive, const WideString& folder) {
  platform::SystemResult<platform::ReadableFile> file = platform::ReadableFile::Open(archive);
  if (!file) {
    Say("failed error=" + std::to_string(file.error().code));
    return 1;
  }
  FileSource source(std::move(*file));
  char start[4] = {};
  platform::SystemResult<size_t> read = source.ReadAt(0, start);
  const std::optional<ArchiveFormat> format = read ? FormatOfBytes(std::string_view(start, *read)) : std::nullopt;
  if (!format || !platform::MakeFolders(folder)) {
    Say("failed not an archive, or no folder");
    return 1;
  }
  std::unique_ptr<ArchiveReader> reader = ArchiveReader::Open(*format, source);
  platform::Expected<UnpackedArchive, UnpackFailure> unpacked =
      Unpack(*reader, folder, kRuntimeArchiveLimits,
             {.progress = [](uint64_t, uint64_t) {}, .cancelled = [] { return false; }});
  if (!unpacked) {
    Say("failed entry=\"" + unpacked.error().entry + "\" " + unpacked.error().reason);
    return 1;
  }
  Say("unpacked entries=" + std::to_string(unpacked->entries) + " bytes=" + std::to_string(unpacked->bytes));
  return 0;
}

// Trace lines on standard error.
class ErrorStreamTrace final : public Trace {
 public:
  bool Enabled() const override { return true; }
  void Write(std::string_view line) override {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
  }
};

std::string ProgressLine(const InstallProgress& progress) {
  switch (progress.phase) {
    case InstallPhase::WaitingForOtherStart:
      return "progress phase=waiting";
    case InstallPhase::Checking:
      return "progress phase=checking";
    case InstallPhase::Unpacking:
      return "progress phase=unpacking files=" + std::to_string(progress.filesDone) + "/" +
             std::to_string(progress.filesTotal);
    case InstallPhase::Downloading:
      break;
  }
  return "progress phase=downloading host=" + progress.host + " bytes=" + std::to_string(progress.bytes) +
         " total=" + (progress.total ? std::to_string(*progress.total) : "unknown") +
         " speed=" + std::to_string(progress.bytesPerSecond);
}

int Install(const WideStringList& arguments) {
  InstallRequest request;
  // Relative sources start from the current folder, as the scenarios write them.
  request.executableFolder = platform::FixedToCurrentFolder(L".");
  request.requirements.maximum = JavaVersion::Any(JavaVersion::kHighFill);
  std::optional<WideString> cancelWhen;
  bool trace = false, hashGiven = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const WideString& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (argument == L"--trace") {
      trace = true;
    } else if (argument.starts_with(L"--") && !hasValue) {
      return Usage();
    } else if (argument == L"--store") {
      request.storeFolder = arguments[++i];
    } else if (argument == L"--sha256") {
      std::optional<platform::Sha256Digest> digest = ParseSha256(ToUtf8(arguments[++i]));
      if (!digest) return Usage();
      request.sha256 = *digest;
      hashGiven = true;
    } else if (argument == L"--size") {
      request.archiveSize = std::stoull(arguments[++i]);
    } else if (argument == L"--minimum") {
      request.requirements.minimum = ParseLowerBound(arguments[++i]);
    } else if (argument == L"--maximum") {
      request.requirements.maximum = ParseUpperBound(arguments[++i]);
    } else if (argument == L"--max-unpacked-bytes") {
      request.limits.maxUnpackedBytes = std::stoull(arguments[++i]);
    } else if (argument == L"--max-entries") {
      request.limits.maxEntries = std::stoull(arguments[++i]);
    } else if (argument == L"--cancel-when") {
      cancelWhen = arguments[++i];
    } else {
      request.sources.push_back(argument);
    }
  }
  if (request.storeFolder.empty() || !hashGiven || request.sources.empty()) return Usage();
  ErrorStreamTrace errorTrace;
  const InstallCallbacks callbacks{
      .progress = [](const InstallProgress& progress) { Say(ProgressLine(progress)); },
      .cancelled = [&] { return cancelWhen && platform::ReadableFile::Open(*cancelWhen).has_value(); }};
  platform::Expected<StoredRuntime, runtime_install::InstallFailure> installed =
      InstallRuntime(request, callbacks, trace ? static_cast<Trace&>(errorTrace) : NoTrace());
  if (!installed) {
    const runtime_install::InstallFailure& failure = installed.error();
    Say(std::string("failed kind=") + KindName(failure.kind) + " http-status=" + std::to_string(failure.httpStatus) +
        " entry=\"" + failure.entry + "\": " + runtime_install::Describe(failure));
    return 1;
  }
  Say("installed home=" + ToUtf8(installed->home) + " version=" + installed->version + " key=" + installed->key);
  return 0;
}

}  // namespace

int RunRuntimeInstallTool(const WideStringList& arguments) {
  if (arguments.size() == 2 && arguments[0] == L"hash") return Hash(arguments[1]);
  if (arguments.size() == 4 && arguments[0] == L"fetch") return Fetch(arguments[1], arguments[2], arguments[3]);
  if (arguments.size() == 3 && arguments[0] == L"unpack") return UnpackArchive(arguments[1], arguments[2]);
  if (!arguments.empty() && arguments[0] == L"install")
    return Install(WideStringList(arguments.begin() + 1, arguments.end()));
  return Usage();
}
