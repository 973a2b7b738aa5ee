#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/expected.h"

namespace launcher::platform {

// A streaming HTTP(S) GET through the system's transport: WinHTTP with the
// user's proxy configuration and the system's certificate store on Windows,
// libcurl (loaded at the first transfer) elsewhere. Redirects are followed, at
// most kMaxRedirects of them and never from https to another scheme. Bodies
// are passed on as they arrive, never held whole.

inline constexpr int kMaxRedirects = 10;

// Why a transfer ended without the whole body.
enum class TransferFailure {
  NameNotFound,         // the host (or the proxy) name does not resolve
  NoConnection,         // no network, no route, refused, or no answer in time
  Tls,                  // the TLS handshake failed or the server's certificate was refused
  ProxyAuthentication,  // the proxy asks for credentials the user's session does not give (407)
  HttpStatus,           // a final answer other than 200 or 206
  Redirect,             // too many redirects, one away from https, or one without an address
  Interrupted,          // the connection broke off or stalled before the body's end
  Stopped,              // the receiver asked to stop
  UnsupportedAddress,   // not an http: or https: address
  TransportMissing,     // the transport's library could not be loaded
};

struct TransferError {
  TransferFailure failure = TransferFailure::NoConnection;
  uint32_t code = 0;   // the system's or the library's code, 0 when there is none
  int httpStatus = 0;  // for HttpStatus and ProxyAuthentication
  std::string detail;  // UTF-8: the certificate's subject (Tls), the address refused (Redirect), the transport's words
};

template <typename T>
using TransferResult = Expected<T, TransferError>;

// What a response carries before its body.
struct ResponseStart {
  uint64_t offset = 0;                 // where the body begins in the resource: the range asked for, or 0
  std::optional<uint64_t> bodyLength;  // the length of this body, when the server says it
  std::optional<uint64_t> totalSize;   // the whole resource's size, when the server says it
  std::string host;                    // the host that answers, after redirects
};

// Takes the body of the final response.
class ResponseReceiver {
 public:
  virtual ~ResponseReceiver() = default;
  // Once, before the first byte; false stops the transfer.
  virtual bool Start(const ResponseStart& start) = 0;
  // Each piece as it arrives; false stops the transfer.
  virtual bool Receive(std::string_view bytes) = 0;
  // Asked now and then while the transfer waits; true stops it.
  virtual bool StopRequested() = 0;
};

// Fetches an http: or https: address (UTF-8), from byte rangeStart on when it
// is not 0: the server may send the whole body instead (ResponseStart.offset
// tells). Succeeds once the whole body has reached the receiver.
TransferResult<Done> HttpGet(std::string_view url, uint64_t rangeStart, ResponseReceiver& receiver);

// The parts HttpGet is made of, portable and shown for their tests.

// The address a Location header names, resolved against the address it came
// from; nullopt when it names none.
std::optional<std::string> ResolveLocation(std::string_view base, std::string_view location);

// A header's decimal number (Content-Length); nullopt for anything else.
std::optional<uint64_t> ParseDecimal(std::string_view text);

// The scheme of an address, in lower case ("https"); "" when it has none.
std::string SchemeOf(std::string_view url);

// The host (and port) part of an http(s) address.
std::string HostOf(std::string_view url);

// The start and total size of a "Content-Range: bytes START-END/TOTAL" value;
// nullopt when it is not of that form (the total may be "*").
struct ContentRange {
  uint64_t start = 0;
  std::optional<uint64_t> total;
};
std::optional<ContentRange> ParseContentRange(std::string_view value);

// One request of the system's transport, without redirects: the system's part
// of HttpGet. A redirect's Location is returned instead of a body; every other
// final answer other than 200 or 206 is an HttpStatus failure.
class HttpExchanger {
 public:
  static TransferResult<std::unique_ptr<HttpExchanger>> Open();
  virtual ~HttpExchanger() = default;

  struct Answer {
    std::optional<std::string> redirect;  // the Location of a redirect (as sent)
  };
  virtual TransferResult<Answer> Exchange(const std::string& url, uint64_t rangeStart, ResponseReceiver& receiver) = 0;
};

}  // namespace launcher::platform
