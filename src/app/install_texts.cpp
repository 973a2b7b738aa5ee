#include "app/install_texts.h"

#include <cstdio>

#include "common/message_text.h"
#include "platform/text.h"

namespace launcher::app {

namespace {

using runtime_install::FailureKind;
using runtime_install::InstallFailure;
using runtime_install::InstallPhase;
using runtime_install::InstallProgress;

WideString Utf8(const std::string& text) { return platform::FromUtf8(text); }

WideString Decimal(uint64_t number) { return std::to_wstring(number); }

// A count that a %d holds: file counts beyond it are not shown exactly anyway.
int32_t Clamped(uint64_t number) { return number > INT32_MAX ? INT32_MAX : static_cast<int32_t>(number); }

// Where an archive came from: its host, else the address or path as written.
WideString HostOrSource(const runtime_install::InstallFailure& failure) {
  return failure.host.empty() ? failure.source : Utf8(failure.host);
}

// The reason's own sentence, with the figures a help desk asks for.
WideString ReasonOf(const runtime_install::InstallFailure& failure) {
  const WideString source = failure.source;
  switch (failure.kind) {
    case runtime_install::FailureKind::NoNetwork:
      return LoadFormatted(StringId::kNoNetwork, {HostOrSource(failure)});
    case runtime_install::FailureKind::NameNotFound:
      return LoadFormatted(StringId::kNameNotFound, {HostOrSource(failure)});
    case runtime_install::FailureKind::Tls:
      return LoadFormatted(StringId::kTlsRefused, {HostOrSource(failure), Utf8(failure.detail)});
    case runtime_install::FailureKind::HttpStatus:
      return LoadFormatted(StringId::kHttpStatus, {HostOrSource(failure), failure.httpStatus, source});
    case runtime_install::FailureKind::ProxyAuthentication:
      return LoadFormatted(StringId::kProxyAuthentication, {source});
    case runtime_install::FailureKind::Redirect:
      return LoadFormatted(StringId::kRedirectRefused, {source, Utf8(failure.detail)});
    case runtime_install::FailureKind::Interrupted:
      return LoadFormatted(StringId::kDownloadInterrupted, {source, Utf8(failure.detail)});
    case runtime_install::FailureKind::SourceMissing:
      return LoadFormatted(StringId::kArchiveUnreadable, {source});
    case runtime_install::FailureKind::UnsupportedSource:
      return LoadFormatted(StringId::kUnsupportedAddress, {source});
    case runtime_install::FailureKind::HashMismatch:
      return LoadFormatted(StringId::kHashMismatch, {source, Utf8(failure.actualSha256), Utf8(failure.expectedSha256)});
    case runtime_install::FailureKind::TooLarge:
      return LoadFormatted(StringId::kArchiveTooLarge, {source, Decimal(failure.sizeLimit)});
    case runtime_install::FailureKind::DiskFull:
      return LoadFormatted(StringId::kDiskFull, {Decimal(failure.needed), Decimal(failure.available)});
    case runtime_install::FailureKind::BadArchive:
      return LoadFormatted(StringId::kBadArchive, {Utf8(failure.entry), Utf8(failure.reason)});
    case runtime_install::FailureKind::NotQualified:
      return LoadFormatted(StringId::kNotQualified, {Utf8(failure.reason)});
    case runtime_install::FailureKind::StoreUnusable:
      return LoadFormatted(StringId::kStoreUnusable, {Utf8(failure.detail)});
    case runtime_install::FailureKind::Cancelled:
      break;
  }
  return {};
}

}  // namespace

WideString RuntimeNameOf(const settings::RuntimeDownloadSettings& download) {
  return download.runtimeName.empty() ? LoadStringText(StringId::kDefaultRuntimeName) : download.runtimeName;
}

WideString FormatByteCount(uint64_t bytes) {
  static const wchar_t* const kUnits[] = {L"KB", L"MB", L"GB", L"TB"};
  if (bytes < 1024) return Decimal(bytes) + L" bytes";
  double value = static_cast<double>(bytes) / 1024;
  size_t unit = 0;
  while (value >= 1024 && unit + 1 < std::size(kUnits)) {
    value /= 1024;
    ++unit;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.1f ", value);
  return platform::FromUtf8(text) + kUnits[unit];
}

ui::ProgressState ProgressOf(const runtime_install::InstallProgress& progress, const WideString& runtimeName) {
  ui::ProgressState state;
  state.step = static_cast<uint32_t>(progress.phase);
  switch (progress.phase) {
    case runtime_install::InstallPhase::WaitingForOtherStart:
      state.headline = LoadFormatted(StringId::kOtherStartInstalling, {runtimeName});
      break;
    case runtime_install::InstallPhase::Downloading: {
      const bool file = progress.host.empty();
      state.headline = LoadFormatted(file ? StringId::kCopyingFrom : StringId::kDownloadingFrom,
                                     {runtimeName, file ? progress.source : Utf8(progress.host)});
      const WideString speed = FormatByteCount(progress.bytesPerSecond);
      if (progress.total && *progress.total > 0) {
        state.detail = LoadFormatted(StringId::kBytesOfTotal,
                                     {FormatByteCount(progress.bytes), FormatByteCount(*progress.total), speed});
        state.permille =
            static_cast<uint32_t>(std::min<uint64_t>(progress.bytes, *progress.total) * 1000 / *progress.total);
      } else {
        state.detail = LoadFormatted(StringId::kBytesSoFar, {FormatByteCount(progress.bytes), speed});
      }
      break;
    }
    case runtime_install::InstallPhase::Checking:
      state.headline = LoadStringText(StringId::kChecking);
      break;
    case runtime_install::InstallPhase::Unpacking:
      state.headline = LoadFormatted(StringId::kUnpacking, {Clamped(progress.filesDone), Clamped(progress.filesTotal)});
      if (progress.filesTotal > 0)
        state.permille = static_cast<uint32_t>(progress.filesDone * 1000 / progress.filesTotal);
      break;
  }
  return state;
}

WideString FailureMessage(const runtime_install::InstallFailure& failure, const WideString& runtimeName) {
  if (failure.kind == runtime_install::FailureKind::Cancelled) return {};
  WideString message = LoadFormatted(StringId::kInstallFailed, {runtimeName}) + L"\n\n" + ReasonOf(failure);
  if (failure.systemError != 0) {
    message += L" " + LoadFormatted(StringId::kSystemError, {static_cast<int32_t>(failure.systemError)});
  }
  return message;
}

}  // namespace launcher::app
