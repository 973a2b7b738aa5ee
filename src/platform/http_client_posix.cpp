#include <curl/curl.h>

#include <cctype>
#include <cerrno>

#include "platform/http_client.h"
#include "platform/library.h"
#include "platform/process.h"
#include "platform/text.h"

namespace launcher::platform {
namespace {

// The entry points of libcurl, loaded once for the process at the first transfer.
struct Libcurl {
  decltype(&curl_global_init) globalInit = nullptr;
  decltype(&curl_easy_init) init = nullptr;
  decltype(&curl_easy_setopt) setopt = nullptr;
  decltype(&curl_easy_perform) perform = nullptr;
  decltype(&curl_easy_getinfo) getinfo = nullptr;
  decltype(&curl_easy_cleanup) cleanup = nullptr;
  decltype(&curl_easy_reset) reset = nullptr;
  decltype(&curl_easy_strerror) describe = nullptr;
  decltype(&curl_slist_append) listAppend = nullptr;
  decltype(&curl_slist_free_all) listFree = nullptr;
};

const Libcurl* LoadLibcurl() {
  static const Libcurl* const loaded = []() -> const Libcurl* {
    SystemResult<void*> library = LoadSystemLibrary(L"libcurl.so.4");
    if (!library) return nullptr;
    static Libcurl functions;
    void* const handle = *library;
    const bool complete = BindExport(handle, "curl_global_init", functions.globalInit) &&
                          BindExport(handle, "curl_easy_init", functions.init) &&
                          BindExport(handle, "curl_easy_setopt", functions.setopt) &&
                          BindExport(handle, "curl_easy_perform", functions.perform) &&
                          BindExport(handle, "curl_easy_getinfo", functions.getinfo) &&
                          BindExport(handle, "curl_easy_cleanup", functions.cleanup) &&
                          BindExport(handle, "curl_easy_reset", functions.reset) &&
                          BindExport(handle, "curl_easy_strerror", functions.describe) &&
                          BindExport(handle, "curl_slist_append", functions.listAppend) &&
                          BindExport(handle, "curl_slist_free_all", functions.listFree);
    // Once, before any handle: curl_global_init is not thread-safe itself.
    if (!complete || functions.globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK) return nullptr;
    return &functions;
  }();
  return loaded;
}

TransferError Failure(TransferFailure failure, uint32_t code, std::string detail, int httpStatus = 0) {
  return {.failure = failure, .code = code, .httpStatus = httpStatus, .detail = std::move(detail)};
}

// How one response goes: its headers as they come, then its body.
struct ResponseState {
  ResponseReceiver* receiver = nullptr;
  std::string url;
  uint64_t rangeStart = 0;
  std::string host;
  long status = 0;
  std::optional<std::string> location;
  std::optional<std::string> contentRange;
  std::optional<uint64_t> contentLength;
  bool started = false;
  bool stopped = false;  // the receiver said stop
  bool refused = false;  // a 206 for another range than the one asked for
};

std::string_view HeaderValue(std::string_view line, std::string_view name) {
  if (line.size() <= name.size() || line[name.size()] != ':') return {};
  for (size_t i = 0; i < name.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(line[i])) != name[i]) return {};
  }
  std::string_view value = line.substr(name.size() + 1);
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
  while (!value.empty() && (value.back() == '\n' || value.back() == '\r' || value.back() == ' '))
    value.remove_suffix(1);
  return value;
}

size_t OnHeader(char* data, size_t size, size_t count, void* context) {
  auto& state = *static_cast<ResponseState*>(context);
  const std::string_view line(data, size * count);
  // A status line starts the headers of each response (a proxy's, then the server's).
  if (line.starts_with("HTTP/")) {
    const size_t space = line.find(' ');
    const std::optional<uint64_t> status =
        space == std::string_view::npos ? std::nullopt : ParseDecimal(line.substr(space + 1, 3));
    state.status = status ? static_cast<long>(*status) : 0;
    state.location.reset();
    state.contentRange.reset();
    state.contentLength.reset();
  } else if (std::string_view value = HeaderValue(line, "location"); !value.empty()) {
    state.location = std::string(value);
  } else if (std::string_view range = HeaderValue(line, "content-range"); !range.empty()) {
    state.contentRange = std::string(range);
  } else if (std::string_view length = HeaderValue(line, "content-length"); !length.empty()) {
    state.contentLength = ParseDecimal(length);
  }
  return size * count;
}

bool StartBody(ResponseState& state) {
  ResponseStart start{
      .offset = 0, .bodyLength = state.contentLength, .totalSize = state.contentLength, .host = state.host};
  if (state.status == 206) {
    const std::optional<ContentRange> range =
        state.contentRange ? ParseContentRange(*state.contentRange) : std::nullopt;
    if (!range || range->start != state.rangeStart) {
      state.refused = true;
      return false;
    }
    start.offset = range->start;
    start.totalSize = range->total;
  }
  return state.receiver->Start(start);
}

size_t OnBody(char* data, size_t size, size_t count, void* context) {
  auto& state = *static_cast<ResponseState*>(context);
  const size_t length = size * count;
  if (state.status != 200 && state.status != 206) return length;  // a body nobody reads
  if (!state.started) {
    state.started = true;
    if (!StartBody(state)) {
      state.stopped = !state.refused;
      return 0;
    }
  }
  if (!state.receiver->Receive(std::string_view(data, length))) {
    state.stopped = true;
    return 0;
  }
  return length;
}

int OnProgress(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto& state = *static_cast<ResponseState*>(context);
  if (state.receiver->StopRequested()) {
    state.stopped = true;
    return 1;
  }
  return 0;
}

// The subject of the server's certificate, when the handshake got that far.
std::string CertificateSubject(const Libcurl& curl, CURL* handle) {
  curl_certinfo* chain = nullptr;
  if (curl.getinfo(handle, CURLINFO_CERTINFO, &chain) != CURLE_OK || chain == nullptr || chain->num_of_certs < 1) {
    return {};
  }
  for (curl_slist* field = chain->certinfo[0]; field != nullptr; field = field->next) {
    const std::string_view text(field->data);
    if (text.starts_with("Subject:")) return std::string(text.substr(8));
  }
  return {};
}

// The subject of the certificate a server shows, for the words of a refused
// handshake: libcurl keeps none of a handshake that failed, so a second one
// is made that only looks (no request is sent, nothing is trusted).
std::string RefusedCertificateSubject(const Libcurl& curl, const std::string& url) {
  CURL* look = curl.init();
  if (look == nullptr) return {};
  curl.setopt(look, CURLOPT_URL, url.c_str());
  curl.setopt(look, CURLOPT_CONNECT_ONLY, 1L);
  curl.setopt(look, CURLOPT_SSL_VERIFYPEER, 0L);
  curl.setopt(look, CURLOPT_SSL_VERIFYHOST, 0L);
  curl.setopt(look, CURLOPT_CERTINFO, 1L);
  curl.setopt(look, CURLOPT_NOSIGNAL, 1L);
  curl.setopt(look, CURLOPT_CONNECTTIMEOUT, 10L);
  const std::string subject = curl.perform(look) == CURLE_OK ? CertificateSubject(curl, look) : std::string();
  curl.cleanup(look);
  return subject;
}

TransferError ErrorOf(const Libcurl& curl, CURL* handle, CURLcode code, const char* words, const ResponseState& state) {
  const uint32_t number = static_cast<uint32_t>(code);
  std::string detail = words[0] != '\0' ? words : curl.describe(code);
  long proxyStatus = 0;
  curl.getinfo(handle, CURLINFO_HTTP_CONNECTCODE, &proxyStatus);
  if (proxyStatus == 407) return Failure(TransferFailure::ProxyAuthentication, number, detail, 407);
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      return Failure(TransferFailure::NameNotFound, number, detail);
    case CURLE_COULDNT_CONNECT:
      return Failure(TransferFailure::NoConnection, number, detail);
    case CURLE_OPERATION_TIMEDOUT:
      return Failure(state.status == 0 ? TransferFailure::NoConnection : TransferFailure::Interrupted, number, detail);
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS: {
      std::string subject = CertificateSubject(curl, handle);
      if (subject.empty()) subject = RefusedCertificateSubject(curl, state.url);
      return Failure(TransferFailure::Tls, number, subject.empty() ? detail : subject + " (" + detail + ")");
    }
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
      return Failure(TransferFailure::UnsupportedAddress, number, detail);
    case CURLE_WRITE_ERROR:
    case CURLE_ABORTED_BY_CALLBACK:
      if (state.refused) return Failure(TransferFailure::Interrupted, number, "the server sent another range");
      return Failure(TransferFailure::Stopped, number, detail);
    default:
      return Failure(TransferFailure::Interrupted, number, detail);
  }
}

class CurlExchanger final : public HttpExchanger {
 public:
  CurlExchanger(const Libcurl& curl, CURL* handle) : curl_(curl), handle_(handle) {}
  ~CurlExchanger() override { curl_.cleanup(handle_); }

  TransferResult<Answer> Exchange(const std::string& url, uint64_t rangeStart, ResponseReceiver& receiver) override {
    ResponseState state;
    state.receiver = &receiver;
    state.url = url;
    state.rangeStart = rangeStart;
    state.host = HostOf(url);
    words_[0] = '\0';
    Configure(url, rangeStart, state);
    const CURLcode code = curl_.perform(handle_);
    if (code != CURLE_OK) return ErrorOf(curl_, handle_, code, words_, state);
    if (state.status >= 300 && state.status < 400 && state.status != 304) return Answer{.redirect = state.location};
    if (state.status == 407) return Failure(TransferFailure::ProxyAuthentication, 0, "", 407);
    if (state.status != 200 && state.status != 206) {
      return Failure(TransferFailure::HttpStatus, 0, "", static_cast<int>(state.status));
    }
    // An empty body calls no write function.
    if (!state.started && !StartBody(state)) {
      return Failure(state.refused ? TransferFailure::Interrupted : TransferFailure::Stopped, 0, "");
    }
    return Answer{.redirect = std::nullopt};
  }

 private:
  void Configure(const std::string& url, uint64_t rangeStart, ResponseState& state) {
    curl_.reset(handle_);
    curl_.setopt(handle_, CURLOPT_URL, url.c_str());
    curl_.setopt(handle_, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_.setopt(handle_, CURLOPT_FOLLOWLOCATION, 0L);
    curl_.setopt(handle_, CURLOPT_NOSIGNAL, 1L);
    curl_.setopt(handle_, CURLOPT_ERRORBUFFER, words_);
    curl_.setopt(handle_, CURLOPT_CERTINFO, 1L);
    curl_.setopt(handle_, CURLOPT_CONNECTTIMEOUT, 30L);
    // A body that stalls for half a minute is cut.
    curl_.setopt(handle_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_.setopt(handle_, CURLOPT_LOW_SPEED_TIME, 30L);
    curl_.setopt(handle_, CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_ANY));
    curl_.setopt(handle_, CURLOPT_HEADERFUNCTION, &OnHeader);
    curl_.setopt(handle_, CURLOPT_HEADERDATA, &state);
    curl_.setopt(handle_, CURLOPT_WRITEFUNCTION, &OnBody);
    curl_.setopt(handle_, CURLOPT_WRITEDATA, &state);
    curl_.setopt(handle_, CURLOPT_NOPROGRESS, 0L);
    curl_.setopt(handle_, CURLOPT_XFERINFOFUNCTION, &OnProgress);
    curl_.setopt(handle_, CURLOPT_XFERINFODATA, &state);
    // OpenSSL's own variables name the certificates the system trusts, where
    // an administrator has changed them.
    for (auto [variable, option] : {std::pair{L"SSL_CERT_FILE", CURLOPT_CAINFO}, {L"SSL_CERT_DIR", CURLOPT_CAPATH}}) {
      if (std::optional<WideString> value = GetEnvironmentValue(variable); value && !value->empty()) {
        curl_.setopt(handle_, option, ToUtf8(*value).c_str());
      }
    }
    if (rangeStart != 0) {
      range_ = std::to_string(rangeStart) + "-";
      curl_.setopt(handle_, CURLOPT_RANGE, range_.c_str());
    }
  }

  const Libcurl& curl_;
  CURL* handle_;
  std::string range_;
  char words_[CURL_ERROR_SIZE] = "";
};

}  // namespace

TransferResult<std::unique_ptr<HttpExchanger>> HttpExchanger::Open() {
  const Libcurl* curl = LoadLibcurl();
  if (curl == nullptr) return Failure(TransferFailure::TransportMissing, ELIBACC, "libcurl.so.4 cannot be loaded");
  CURL* handle = curl->init();
  if (handle == nullptr) return Failure(TransferFailure::TransportMissing, ENOMEM, "curl_easy_init failed");
  return std::unique_ptr<HttpExchanger>(std::make_unique<CurlExchanger>(*curl, handle));
}

}  // namespace launcher::platform
