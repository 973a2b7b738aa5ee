#pragma once

#include <cstdint>
#include <string>

#include "platform/wide_string.h"

namespace launcher::runtime_install {

// Why a runtime was not installed, with what a help desk needs to know.
enum class FailureKind {
  NoNetwork,            // the server (or the proxy) cannot be reached
  NameNotFound,         // its name does not resolve
  Tls,                  // the secure connection was refused: detail names the certificate's subject
  HttpStatus,           // the server answered httpStatus
  ProxyAuthentication,  // the proxy wants credentials the session does not give
  Redirect,             // a redirect refused (away from https, more than 10): detail is its address
  Interrupted,          // the transfer broke off: what arrived is kept and resumed next time
  SourceMissing,        // a file (file:, a share, beside the executable) that is not there or cannot be read
  UnsupportedSource,    // an address of a kind the launcher does not fetch
  HashMismatch,         // expectedSha256 and actualSha256 differ
  TooLarge,             // more than sizeLimit ("Archive Size"): size is what the source has or sent
  DiskFull,             // needed and available bytes
  BadArchive,           // entry and reason
  NotQualified,         // what was unpacked is no runtime for this launcher: reason
  Cancelled,
  StoreUnusable,  // the store cannot be made or written: detail is the path, systemError why
};

struct InstallFailure {
  FailureKind kind = FailureKind::Cancelled;
  WideString source;  // the address or path it happened with
  std::string host;
  int httpStatus = 0;
  std::string detail;
  std::string expectedSha256;
  std::string actualSha256;
  uint64_t sizeLimit = 0;
  uint64_t size = 0;
  uint64_t needed = 0;
  uint64_t available = 0;
  std::string entry;
  std::string reason;
  uint32_t systemError = 0;
};

// The kind's name in a trace: "hash-mismatch".
const char* KindName(FailureKind kind);

// One line of plain English with every detail, for the trace and the tools.
std::string Describe(const InstallFailure& failure);

}  // namespace launcher::runtime_install
