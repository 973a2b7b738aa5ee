#include "runtime_install/install_failure.h"

#include "platform/text.h"

namespace launcher::runtime_install {

const char* KindName(FailureKind kind) {
  switch (kind) {
    case FailureKind::NoNetwork:
      return "no-network";
    case FailureKind::NameNotFound:
      return "name-not-found";
    case FailureKind::Tls:
      return "tls";
    case FailureKind::HttpStatus:
      return "http-status";
    case FailureKind::ProxyAuthentication:
      return "proxy-authentication";
    case FailureKind::Redirect:
      return "redirect";
    case FailureKind::Interrupted:
      return "interrupted";
    case FailureKind::SourceMissing:
      return "source-missing";
    case FailureKind::UnsupportedSource:
      return "unsupported-source";
    case FailureKind::HashMismatch:
      return "hash-mismatch";
    case FailureKind::TooLarge:
      return "too-large";
    case FailureKind::DiskFull:
      return "disk-full";
    case FailureKind::BadArchive:
      return "bad-archive";
    case FailureKind::NotQualified:
      return "not-qualified";
    case FailureKind::Cancelled:
      return "cancelled";
    case FailureKind::StoreUnusable:
      return "store-unusable";
  }
  return "unknown";
}

std::string Describe(const InstallFailure& failure) {
  const std::string source = platform::ToUtf8(failure.source);
  const std::string code = failure.systemError != 0 ? " (error " + std::to_string(failure.systemError) + ")" : "";
  switch (failure.kind) {
    case FailureKind::NoNetwork:
      return "cannot connect to " + failure.host + code;
    case FailureKind::NameNotFound:
      return "the name " + failure.host + " is not found" + code;
    case FailureKind::Tls:
      return "the secure connection to " + failure.host + " was refused: " + failure.detail + code;
    case FailureKind::HttpStatus:
      return "the server " + failure.host + " answered " + std::to_string(failure.httpStatus) + " for " + source;
    case FailureKind::ProxyAuthentication:
      return "the proxy asks for authentication (407) for " + source;
    case FailureKind::Redirect:
      return "a redirect from " + source + " was refused: " + failure.detail;
    case FailureKind::Interrupted:
      return "the download from " + source + " broke off: " + failure.detail + code;
    case FailureKind::SourceMissing:
      return "the archive " + source + " cannot be read" + code;
    case FailureKind::UnsupportedSource:
      return "the address " + source + " is of a kind that cannot be fetched";
    case FailureKind::HashMismatch:
      return "the archive from " + source + " has SHA-256 " + failure.actualSha256 + ", not " + failure.expectedSha256;
    case FailureKind::TooLarge:
      return "the archive from " + source + " is larger than \"Archive Size\" " + std::to_string(failure.sizeLimit) +
             " (" + std::to_string(failure.size) + " bytes)";
    case FailureKind::DiskFull:
      return "the disk is full: " + std::to_string(failure.needed) + " bytes needed, " +
             std::to_string(failure.available) + " free";
    case FailureKind::BadArchive:
      return "the archive is refused at entry \"" + failure.entry + "\": " + failure.reason;
    case FailureKind::NotQualified:
      return "the archive holds no runtime this launcher can use: " + failure.reason;
    case FailureKind::Cancelled:
      return "cancelled";
    case FailureKind::StoreUnusable:
      return "the runtime store cannot be written at " + failure.detail + code;
  }
  return "unknown failure";
}

}  // namespace launcher::runtime_install
