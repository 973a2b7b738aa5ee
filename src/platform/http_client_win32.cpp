#include <algorithm>

#include "platform/http_client.h"
#include "platform/library.h"
#include "platform/text.h"
#include "platform/windows_api.h"
// After windows.h, which declares what winhttp.h uses.
#include <winhttp.h>

namespace launcher::platform {
namespace {

using win32::InternetHandle;

// The entry points of winhttp.dll, loaded from the system folder once for the
// process at the first transfer.
struct Winhttp {
  decltype(&WinHttpOpen) open = nullptr;
  decltype(&WinHttpSetTimeouts) setTimeouts = nullptr;
  decltype(&WinHttpConnect) connect = nullptr;
  decltype(&WinHttpOpenRequest) openRequest = nullptr;
  decltype(&WinHttpSetOption) setOption = nullptr;
  decltype(&WinHttpQueryOption) queryOption = nullptr;
  decltype(&WinHttpSendRequest) send = nullptr;
  decltype(&WinHttpReceiveResponse) receive = nullptr;
  decltype(&WinHttpQueryHeaders) queryHeaders = nullptr;
  decltype(&WinHttpReadData) read = nullptr;
  decltype(&WinHttpCrackUrl) crackUrl = nullptr;
  decltype(&WinHttpGetIEProxyConfigForCurrentUser) userProxy = nullptr;
  decltype(&WinHttpGetProxyForUrl) proxyForUrl = nullptr;
  decltype(&WinHttpQueryAuthSchemes) authSchemes = nullptr;
  decltype(&WinHttpSetCredentials) setCredentials = nullptr;
  decltype(&WinHttpSetStatusCallback) setStatusCallback = nullptr;
};

const Winhttp* LoadWinhttp() {
  static const Winhttp* const loaded = []() -> const Winhttp* {
    SystemResult<void*> library = LoadSystemLibrary(L"winhttp.dll");
    if (!library) return nullptr;
    void* const module = *library;
    static Winhttp f;
    const bool complete =
        BindExport(module, "WinHttpOpen", f.open) && BindExport(module, "WinHttpSetTimeouts", f.setTimeouts) &&
        BindExport(module, "WinHttpConnect", f.connect) && BindExport(module, "WinHttpOpenRequest", f.openRequest) &&
        BindExport(module, "WinHttpSetOption", f.setOption) &&
        BindExport(module, "WinHttpQueryOption", f.queryOption) && BindExport(module, "WinHttpSendRequest", f.send) &&
        BindExport(module, "WinHttpReceiveResponse", f.receive) &&
        BindExport(module, "WinHttpQueryHeaders", f.queryHeaders) && BindExport(module, "WinHttpReadData", f.read) &&
        BindExport(module, "WinHttpCrackUrl", f.crackUrl) &&
        BindExport(module, "WinHttpGetIEProxyConfigForCurrentUser", f.userProxy) &&
        BindExport(module, "WinHttpGetProxyForUrl", f.proxyForUrl) &&
        BindExport(module, "WinHttpQueryAuthSchemes", f.authSchemes) &&
        BindExport(module, "WinHttpSetCredentials", f.setCredentials) &&
        BindExport(module, "WinHttpSetStatusCallback", f.setStatusCallback);
    return complete ? &f : nullptr;
  }();
  return loaded;
}

TransferError Failure(TransferFailure failure, uint32_t code, std::string detail = {}, int httpStatus = 0) {
  return {.failure = failure, .code = code, .httpStatus = httpStatus, .detail = std::move(detail)};
}

bool IsTlsError(DWORD error) {
  return (error >= ERROR_WINHTTP_SECURE_CERT_DATE_INVALID && error <= ERROR_WINHTTP_SECURE_INVALID_CA) ||
         error == ERROR_WINHTTP_SECURE_FAILURE || error == ERROR_WINHTTP_SECURE_CHANNEL_ERROR ||
         error == ERROR_WINHTTP_SECURE_INVALID_CERT || error == ERROR_WINHTTP_SECURE_CERT_REVOKED ||
         error == ERROR_WINHTTP_SECURE_CERT_WRONG_USAGE || error == ERROR_WINHTTP_SECURE_CERT_REV_FAILED ||
         error == ERROR_WINHTTP_CLIENT_AUTH_CERT_NEEDED;
}

// What the status callback learns of a refused certificate.
struct TlsReport {
  std::string subject;
  DWORD flags = 0;
};

std::string DescribeTlsFlags(DWORD flags) {
  std::string words;
  const std::pair<DWORD, const char*> known[] = {
      {WINHTTP_CALLBACK_STATUS_FLAG_INVALID_CA, "issuer not trusted"},
      {WINHTTP_CALLBACK_STATUS_FLAG_CERT_CN_INVALID, "name does not match"},
      {WINHTTP_CALLBACK_STATUS_FLAG_CERT_DATE_INVALID, "expired or not yet valid"},
      {WINHTTP_CALLBACK_STATUS_FLAG_CERT_REVOKED, "revoked"},
      {WINHTTP_CALLBACK_STATUS_FLAG_INVALID_CERT, "invalid"},
      {WINHTTP_CALLBACK_STATUS_FLAG_CERT_REV_FAILED, "revocation not checked"},
      {WINHTTP_CALLBACK_STATUS_FLAG_SECURITY_CHANNEL_ERROR, "secure channel error"},
  };
  for (const auto& [flag, text] : known) {
    if ((flags & flag) == 0) continue;
    if (!words.empty()) words += ", ";
    words += text;
  }
  return words;
}

void CALLBACK OnStatus(HINTERNET request, DWORD_PTR context, DWORD status, void* information, DWORD) {
  if (status != WINHTTP_CALLBACK_STATUS_SECURE_FAILURE || context == 0) return;
  auto& report = *reinterpret_cast<TlsReport*>(context);
  if (information != nullptr) report.flags = *static_cast<DWORD*>(information);
  const Winhttp* winhttp = LoadWinhttp();
  WINHTTP_CERTIFICATE_INFO certificate{};
  DWORD size = sizeof certificate;
  if (!winhttp->queryOption(request, WINHTTP_OPTION_SECURITY_CERTIFICATE_STRUCT, &certificate, &size)) return;
  if (certificate.lpszSubjectInfo != nullptr) report.subject = ToUtf8(certificate.lpszSubjectInfo);
  for (LPWSTR text : {certificate.lpszSubjectInfo, certificate.lpszIssuerInfo, certificate.lpszProtocolName,
                      certificate.lpszSignatureAlgName, certificate.lpszEncryptionAlgName}) {
    if (text != nullptr) ::LocalFree(text);
  }
}

// The proxy settings of the user's session (Internet Options), read once per download.
class UserProxy {
 public:
  explicit UserProxy(const Winhttp& winhttp) : winhttp_(winhttp) {
    if (!winhttp.userProxy(&config_)) config_ = {};
  }
  ~UserProxy() {
    for (LPWSTR text : {config_.lpszAutoConfigUrl, config_.lpszProxy, config_.lpszProxyBypass}) {
      if (text != nullptr) ::GlobalFree(text);
    }
  }
  UserProxy(const UserProxy&) = delete;
  UserProxy& operator=(const UserProxy&) = delete;

  // Sets the proxy for one request: what automatic detection or the
  // configuration script says for its address, else the proxy named in the
  // settings, else none.
  void Apply(HINTERNET session, HINTERNET request, const WideString& url) const {
    if (config_.fAutoDetect || config_.lpszAutoConfigUrl != nullptr) {
      WINHTTP_AUTOPROXY_OPTIONS options{};
      if (config_.fAutoDetect) {
        options.dwFlags |= WINHTTP_AUTOPROXY_AUTO_DETECT;
        options.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
      }
      if (config_.lpszAutoConfigUrl != nullptr) {
        options.dwFlags |= WINHTTP_AUTOPROXY_CONFIG_URL;
        options.lpszAutoConfigUrl = config_.lpszAutoConfigUrl;
      }
      options.fAutoLogonIfChallenged = TRUE;
      WINHTTP_PROXY_INFO found{};
      if (winhttp_.proxyForUrl(session, url.c_str(), &options, &found)) {
        winhttp_.setOption(request, WINHTTP_OPTION_PROXY, &found, sizeof found);
        for (LPWSTR text : {found.lpszProxy, found.lpszProxyBypass}) {
          if (text != nullptr) ::GlobalFree(text);
        }
        return;
      }
    }
    if (config_.lpszProxy != nullptr) {
      WINHTTP_PROXY_INFO named{.dwAccessType = WINHTTP_ACCESS_TYPE_NAMED_PROXY,
                               .lpszProxy = config_.lpszProxy,
                               .lpszProxyBypass = config_.lpszProxyBypass};
      winhttp_.setOption(request, WINHTTP_OPTION_PROXY, &named, sizeof named);
    }
  }

 private:
  const Winhttp& winhttp_;
  WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config_{};
};

class WinhttpExchanger final : public HttpExchanger {
 public:
  WinhttpExchanger(const Winhttp& winhttp, InternetHandle session)
      : winhttp_(winhttp), session_(std::move(session)), proxy_(winhttp) {}

  TransferResult<Answer> Exchange(const std::string& url, uint64_t rangeStart, ResponseReceiver& receiver) override {
    const WideString wideUrl = FromUtf8(url);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!winhttp_.crackUrl(wideUrl.c_str(), 0, 0, &parts)) {
      return Failure(TransferFailure::UnsupportedAddress, ::GetLastError(), url);
    }
    const WideString host(parts.lpszHostName, parts.dwHostNameLength);
    WideString path(parts.lpszUrlPath, parts.dwUrlPathLength);
    path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    // The fragment is the reader's, never sent.
    path = path.substr(0, path.find(L'#'));
    InternetHandle connection(winhttp_.connect(session_.Get(), host.c_str(), parts.nPort, 0));
    if (!connection) return Failure(TransferFailure::NoConnection, ::GetLastError());
    const DWORD secure = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
    InternetHandle request(winhttp_.openRequest(connection.Get(), L"GET", path.empty() ? L"/" : path.c_str(), nullptr,
                                                WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, secure));
    if (!request) return Failure(TransferFailure::NoConnection, ::GetLastError());
    Prepare(request.Get(), wideUrl);
    TlsReport tls;
    TransferResult<DWORD> status = Send(request.Get(), rangeStart, tls);
    if (!status) return status.error();
    if (*status >= 300 && *status < 400 && *status != 304) {
      return Answer{.redirect = TextHeader(request.Get(), WINHTTP_QUERY_LOCATION)};
    }
    if (*status == 407) return Failure(TransferFailure::ProxyAuthentication, 0, {}, 407);
    if (*status != 200 && *status != 206) return Failure(TransferFailure::HttpStatus, 0, {}, static_cast<int>(*status));
    TransferResult<Done> body = ReadBody(request.Get(), *status, rangeStart, HostOf(url), receiver);
    if (!body) return body.error();
    return Answer{.redirect = std::nullopt};
  }

 private:
  void Prepare(HINTERNET request, const WideString& url) {
    DWORD redirects = WINHTTP_DISABLE_REDIRECTS;
    winhttp_.setOption(request, WINHTTP_OPTION_DISABLE_FEATURE, &redirects, sizeof redirects);
    // The user's own logon answers a proxy that asks for it (NTLM, Negotiate).
    DWORD logon = WINHTTP_AUTOLOGON_SECURITY_LEVEL_LOW;
    winhttp_.setOption(request, WINHTTP_OPTION_AUTOLOGON_POLICY, &logon, sizeof logon);
    proxy_.Apply(session_.Get(), request, url);
    winhttp_.setStatusCallback(request, &OnStatus, WINHTTP_CALLBACK_FLAG_SECURE_FAILURE, 0);
  }

  // Sends the request and waits for the answer's headers; a proxy that asks for
  // the user's logon gets it once.
  TransferResult<DWORD> Send(HINTERNET request, uint64_t rangeStart, TlsReport& tls) {
    const WideString range = rangeStart != 0 ? L"Range: bytes=" + std::to_wstring(rangeStart) + L"-" : WideString();
    DWORD_PTR context = reinterpret_cast<DWORD_PTR>(&tls);
    for (int attempt = 0;; ++attempt) {
      if (!winhttp_.send(request, range.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : range.c_str(),
                         static_cast<DWORD>(range.size()), WINHTTP_NO_REQUEST_DATA, 0, 0, context) ||
          !winhttp_.receive(request, nullptr)) {
        return ErrorBeforeBody(::GetLastError(), tls);
      }
      DWORD status = 0;
      DWORD size = sizeof status;
      if (!winhttp_.queryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                                 WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX)) {
        return Failure(TransferFailure::Interrupted, ::GetLastError());
      }
      if (status != 407 || attempt > 0 || !UseLogonForProxy(request)) return status;
    }
  }

  bool UseLogonForProxy(HINTERNET request) {
    DWORD supported = 0, first = 0, target = 0;
    if (!winhttp_.authSchemes(request, &supported, &first, &target)) return false;
    for (DWORD scheme : {WINHTTP_AUTH_SCHEME_NEGOTIATE, WINHTTP_AUTH_SCHEME_NTLM}) {
      if ((supported & scheme) != 0) {
        return winhttp_.setCredentials(request, WINHTTP_AUTH_TARGET_PROXY, scheme, nullptr, nullptr, nullptr) != 0;
      }
    }
    return false;
  }

  TransferError ErrorBeforeBody(DWORD error, const TlsReport& tls) {
    switch (error) {
      case ERROR_WINHTTP_NAME_NOT_RESOLVED:
        return Failure(TransferFailure::NameNotFound, error);
      case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
      case ERROR_WINHTTP_INVALID_URL:
        return Failure(TransferFailure::UnsupportedAddress, error);
      case ERROR_WINHTTP_OPERATION_CANCELLED:
        return Failure(TransferFailure::Stopped, error);
      default:
        break;
    }
    if (IsTlsError(error)) {
      std::string detail = tls.subject;
      const std::string flags = DescribeTlsFlags(tls.flags);
      if (!flags.empty()) detail += detail.empty() ? flags : " (" + flags + ")";
      return Failure(TransferFailure::Tls, error, detail);
    }
    return Failure(TransferFailure::NoConnection, error);
  }

  std::optional<std::string> TextHeader(HINTERNET request, DWORD header) {
    DWORD size = 0;
    winhttp_.queryHeaders(request, header, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER, &size,
                          WINHTTP_NO_HEADER_INDEX);
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) return std::nullopt;
    WideString value(size / sizeof(wchar_t), L'\0');
    if (!winhttp_.queryHeaders(request, header, WINHTTP_HEADER_NAME_BY_INDEX, value.data(), &size,
                               WINHTTP_NO_HEADER_INDEX)) {
      return std::nullopt;
    }
    value.resize(size / sizeof(wchar_t));
    return ToUtf8(value);
  }

  TransferResult<Done> ReadBody(HINTERNET request, DWORD status, uint64_t rangeStart, const std::string& host,
                                ResponseReceiver& receiver) {
    const std::optional<std::string> length = TextHeader(request, WINHTTP_QUERY_CONTENT_LENGTH);
    ResponseStart start{.offset = 0,
                        .bodyLength = length ? ParseDecimal(*length) : std::nullopt,
                        .totalSize = std::nullopt,
                        .host = host};
    start.totalSize = start.bodyLength;
    if (status == 206) {
      const std::optional<std::string> text = TextHeader(request, WINHTTP_QUERY_CONTENT_RANGE);
      const std::optional<ContentRange> range = text ? ParseContentRange(*text) : std::nullopt;
      if (!range || range->start != rangeStart) {
        return Failure(TransferFailure::Interrupted, 0, "the server sent another range");
      }
      start.offset = range->start;
      start.totalSize = range->total;
    }
    if (!receiver.Start(start)) return Failure(TransferFailure::Stopped, 0);
    std::string buffer(64 * 1024, '\0');
    for (;;) {
      if (receiver.StopRequested()) return Failure(TransferFailure::Stopped, 0);
      DWORD count = 0;
      if (!winhttp_.read(request, buffer.data(), static_cast<DWORD>(buffer.size()), &count)) {
        // A read that waited out a stalled server after the user asked to
        // stop ends as the stop it is, not as a broken-off download.
        const DWORD error = ::GetLastError();
        const bool stopped = error == ERROR_WINHTTP_OPERATION_CANCELLED || receiver.StopRequested();
        return Failure(stopped ? TransferFailure::Stopped : TransferFailure::Interrupted, error);
      }
      if (count == 0) return Done{};
      if (!receiver.Receive(std::string_view(buffer.data(), count))) return Failure(TransferFailure::Stopped, 0);
    }
  }

  const Winhttp& winhttp_;
  InternetHandle session_;
  UserProxy proxy_;
};

}  // namespace

TransferResult<std::unique_ptr<HttpExchanger>> HttpExchanger::Open() {
  const Winhttp* winhttp = LoadWinhttp();
  if (winhttp == nullptr) {
    return Failure(TransferFailure::TransportMissing, ::GetLastError(), "winhttp.dll cannot be loaded");
  }
  // The proxy is chosen for each request from the user's settings.
  InternetHandle session(winhttp->open(L"Java application launcher", WINHTTP_ACCESS_TYPE_NO_PROXY,
                                       WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session) return Failure(TransferFailure::TransportMissing, ::GetLastError(), "WinHttpOpen failed");
  // Resolving has no limit of its own; connecting, sending and each wait for
  // bytes have half a minute.
  winhttp->setTimeouts(session.Get(), 0, 30000, 30000, 30000);
  return std::unique_ptr<HttpExchanger>(std::make_unique<WinhttpExchanger>(*winhttp, std::move(session)));
}

}  // namespace launcher::platform
