#include "platform/http_client.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace launcher::platform {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// "scheme://authority" of an absolute address.
std::string_view Origin(std::string_view url) {
  const size_t authority = url.find("://");
  if (authority == std::string_view::npos) return {};
  const size_t pathStart = url.find_first_of("/?#", authority + 3);
  return url.substr(0, pathStart);
}

// Checks the redirect policy: a known scheme, and never away from https.
std::optional<TransferError> RefusedRedirect(std::string_view from, std::string_view to) {
  const std::string target = SchemeOf(to);
  if ((target == "https" || (target == "http" && SchemeOf(from) != "https")) && !HostOf(to).empty()) {
    return std::nullopt;
  }
  return TransferError{.failure = TransferFailure::Redirect, .code = 0, .httpStatus = 0, .detail = std::string(to)};
}

}  // namespace

std::optional<uint64_t> ParseDecimal(std::string_view text) {
  uint64_t value = 0;
  if (text.empty()) return std::nullopt;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string SchemeOf(std::string_view url) {
  const size_t colon = url.find(':');
  if (colon == std::string_view::npos || colon == 0) return {};
  const std::string_view scheme = url.substr(0, colon);
  const bool valid = std::all_of(scheme.begin(), scheme.end(),
                                 [](unsigned char c) { return std::isalnum(c) || c == '+' || c == '-' || c == '.'; });
  return valid && std::isalpha(static_cast<unsigned char>(scheme.front())) ? Lower(scheme) : std::string();
}

std::string HostOf(std::string_view url) {
  const std::string_view origin = Origin(url);
  if (origin.empty()) return {};
  std::string_view authority = origin.substr(origin.find("://") + 3);
  // Credentials are not part of the host.
  const size_t at = authority.rfind('@');
  if (at != std::string_view::npos) authority.remove_prefix(at + 1);
  return std::string(authority);
}

std::optional<std::string> ResolveLocation(std::string_view base, std::string_view location) {
  location = Trimmed(location);
  if (location.empty()) return std::nullopt;
  if (!SchemeOf(location).empty() && location.find("://") != std::string_view::npos) return std::string(location);
  const std::string_view origin = Origin(base);
  if (origin.empty()) return std::nullopt;
  if (location.starts_with("//")) return SchemeOf(base) + ":" + std::string(location);
  if (location.front() == '/') return std::string(origin) + std::string(location);
  // Relative to the base's folder: its path up to the last "/", queries cut.
  std::string_view path = base.substr(origin.size());
  path = path.substr(0, path.find_first_of("?#"));
  if (location.front() == '?')
    return std::string(origin) + std::string(path.empty() ? "/" : path) + std::string(location);
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string_view::npos ? "/" : std::string(path.substr(0, slash + 1));
  return std::string(origin) + folder + std::string(location);
}

std::optional<ContentRange> ParseContentRange(std::string_view value) {
  value = Trimmed(value);
  if (Lower(value.substr(0, 6)) != "bytes ") return std::nullopt;
  value.remove_prefix(6);
  const size_t dash = value.find('-');
  const size_t slash = value.find('/');
  if (dash == std::string_view::npos || slash == std::string_view::npos || slash < dash) return std::nullopt;
  const std::optional<uint64_t> start = ParseDecimal(Trimmed(value.substr(0, dash)));
  const std::optional<uint64_t> end = ParseDecimal(Trimmed(value.substr(dash + 1, slash - dash - 1)));
  if (!start || !end || *end < *start) return std::nullopt;
  const std::string_view total = Trimmed(value.substr(slash + 1));
  if (total == "*") return ContentRange{.start = *start, .total = std::nullopt};
  const std::optional<uint64_t> size = ParseDecimal(total);
  if (!size || *end >= *size) return std::nullopt;
  return ContentRange{.start = *start, .total = size};
}

namespace {

// Passes the body on, and tells whether as much arrived as the server announced:
// a transport may end a cut body as if it were complete.
class CountingReceiver final : public ResponseReceiver {
 public:
  explicit CountingReceiver(ResponseReceiver& receiver) : receiver_(receiver) {}

  bool Start(const ResponseStart& start) override {
    expected_ = start.bodyLength;
    return receiver_.Start(start);
  }
  bool Receive(std::string_view bytes) override {
    received_ += bytes.size();
    return receiver_.Receive(bytes);
  }
  bool StopRequested() override { return receiver_.StopRequested(); }

  bool Short() const { return expected_ && received_ < *expected_; }

 private:
  ResponseReceiver& receiver_;
  std::optional<uint64_t> expected_;
  uint64_t received_ = 0;
};

}  // namespace

TransferResult<Done> HttpGet(std::string_view url, uint64_t rangeStart, ResponseReceiver& receiver) {
  const std::string scheme = SchemeOf(url);
  if ((scheme != "http" && scheme != "https") || HostOf(url).empty()) {
    return TransferError{
        .failure = TransferFailure::UnsupportedAddress, .code = 0, .httpStatus = 0, .detail = std::string(url)};
  }
  TransferResult<std::unique_ptr<HttpExchanger>> exchanger = HttpExchanger::Open();
  if (!exchanger) return exchanger.error();
  std::string current(url);
  for (int redirects = 0;; ++redirects) {
    CountingReceiver counting(receiver);
    TransferResult<HttpExchanger::Answer> answer = (*exchanger)->Exchange(current, rangeStart, counting);
    if (!answer) return answer.error();
    if (!answer->redirect) {
      if (counting.Short()) {
        return TransferError{.failure = TransferFailure::Interrupted,
                             .code = 0,
                             .httpStatus = 0,
                             .detail = "the connection ended before the body's end"};
      }
      return Done{};
    }
    std::optional<std::string> next = ResolveLocation(current, *answer->redirect);
    if (!next) {
      return TransferError{
          .failure = TransferFailure::Redirect, .code = 0, .httpStatus = 0, .detail = "a redirect without an address"};
    }
    if (redirects == kMaxRedirects) {
      return TransferError{.failure = TransferFailure::Redirect,
                           .code = 0,
                           .httpStatus = 0,
                           .detail = "more than 10 redirects, the last to " + *next};
    }
    if (std::optional<TransferError> refused = RefusedRedirect(current, *next)) return *refused;
    current = std::move(*next);
  }
}

}  // namespace launcher::platform
