#include "net/idhttp.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <mutex>

#include "net/charset.h"
#include "net/connection.h"
#include "net/cookie_store.h"
#include "net/header_fold.h"
#include "net/http_reply.h"
#include "net/login_cookies.h"
#include "net/proxy.h"
#include "net/socket_errors.h"
#include "net/url.h"

namespace talvik::net {

namespace {

constexpr int kRedirectLimit = 15;             // the 15th redirect fails the call
constexpr int kRedirectBodyWaitMs = 5000;
// Bodies beyond these fail the call: a photo (streamed, so memory stays flat) may be
// large, a page is held whole and decoded, and a thrown-away body need not be read at all.
constexpr uint64_t kMaxStreamBody = uint64_t(1) << 30;
constexpr uint64_t kMaxTextBody = 16 << 20;
constexpr uint64_t kMaxDiscardedBody = 1 << 20;
const char kAccept[] = "text/html, */*";
const char kUserAgent[] = "Mozilla/3.0 (compatible; Indy Library)";

bool SameText(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  return true;
}

std::wstring Latin1ToWide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

// Hostile text as a message may show it: every control character becomes "?".
std::wstring Printable(std::wstring s) {
  for (auto& c : s)
    if (c < 32 || c == 127) c = L'?';
  return s;
}

// Seconds since 1970, UTC. time() would read the time-zone data on every call.
int64_t UnixNow() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  const uint64_t ticks = (uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  return static_cast<int64_t>(ticks / 10000000 - 11644473600ull);
}

std::string LowerAscii(std::string s) {
  for (auto& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

std::string TrimAscii(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

void AddLine(std::string& request, const std::string& line, size_t width) {
  for (const auto& piece : FoldHeaderLine(line, width)) request += piece + "\r\n";
}

bool IsHttpsAddress(const std::wstring& address) {
  return address.size() >= 8 && SameText(address.substr(0, 8), L"https://");
}

TCookieStore::Origin OriginOf(const TUrl& url) {
  TCookieStore::Origin o;
  o.Host = ToAscii7(url.Host);
  o.Port = url.EffectivePort();
  o.Path = ToAscii7((url.Path.empty() ? L"/" : url.Path) + url.Document);
  o.Secure = url.Protocol == L"https";
  return o;
}

}  // namespace

// Clients that download side by side share one store: a cookie one connection
// receives goes with the requests of the others.
struct TSharedCookies {
  std::mutex Lock;
  TCookieStore Store;
};

struct TIdHTTP::Impl {
  std::wstring Referer;
  std::vector<std::pair<std::wstring, std::wstring>> CustomHeaders;
  std::vector<TCookie> Login;
  std::shared_ptr<TSharedCookies> Cookies = std::make_shared<TSharedCookies>();
  TTcpConnection Connection;
  std::wstring ConnectedTo;  // what the open connection leads to: a host, the proxy or a tunnel
  TUrl Previous;
  std::string LastCharset;
  TProxy Proxy;  // the current request's
  std::shared_ptr<IProxyChooser> Chooser;  // when set, it gives each request its proxy
  std::shared_ptr<const TTrustedRoots> TrustedRoots;
  int TimeoutMs = 0;

  // Plain-http requests go to the proxy, when there is one.
  bool ViaProxy(const TUrl& url) const { return Proxy.Enabled() && url.Protocol == L"http"; }

  TProxy ProxyFor(const TUrl& url) const { return Chooser ? Chooser->ProxyFor(url) : Proxy; }
  std::string BuildRequest(const TUrl& url);
  // True when the open connection is kept for this request.
  bool Connect(const TUrl& url);
  THttpReplyHead Exchange(const TUrl& url);
  void TakeCookies(const THttpReplyHead& head, const TUrl& url);
  // Reads and drops the body of a reply that is not handed on; true when the
  // connection can carry no further request.
  bool DiscardBody(const THttpReplyHead& head);
  // Performs the GET with its redirects; the final body, up to limit bytes, goes to sink.
  void Perform(const std::wstring& address, const TBodySink& sink, std::string* charset, uint64_t limit);
};

std::string TIdHTTP::Impl::BuildRequest(const TUrl& url) {
  std::string stored, login;
  if (!Login.empty()) login = LoginLineFor(Login, OriginOf(url), UnixNow());
  {
    std::lock_guard<std::mutex> hold(Cookies->Lock);
    if (!Cookies->Store.Cookies().empty()) stored = Cookies->Store.CookieHeaderFor(OriginOf(url), UnixNow());
  }
  const std::wstring target = ViaProxy(url) ? L"http://" + url.HostHeader() + url.Target() : url.Target();
  std::string r = "GET " + ToAscii7(target) + " HTTP/1.1\r\n";
  bool storedPlaced = false;
  // The store's cookies take the login's place, as they take a custom Cookie line's.
  auto addLoginLine = [&](const std::string& value) {
    if (!stored.empty()) {
      AddLine(r, "Cookie: " + stored, kOwnFoldWidth);
      storedPlaced = true;
    } else {
      AddLine(r, "Cookie: " + value, kCustomFoldWidth);
    }
  };
  const bool customCookie = std::any_of(CustomHeaders.begin(), CustomHeaders.end(),
                                        [](const auto& h) { return SameText(h.first, L"Cookie"); });
  if (!login.empty() && !customCookie) addLoginLine(login);
  for (const auto& [name, value] : CustomHeaders) {
    if (SameText(name, L"Cookie") && (!stored.empty() || !login.empty())) {
      addLoginLine(login);
    } else if (!value.empty()) {
      AddLine(r, ToAscii7(name + L": " + value), kCustomFoldWidth);
    }
  }
  AddLine(r, "Host: " + ToAscii7(url.HostHeader()), kOwnFoldWidth);
  AddLine(r, std::string("Accept: ") + kAccept, kOwnFoldWidth);
  r += "Accept-Encoding: identity\r\n";
  // An https page's address is not told to plain-http servers, as browsers keep it.
  if (!Referer.empty() && !(url.Protocol == L"http" && IsHttpsAddress(Referer)))
    AddLine(r, "Referer: " + ToAscii7(Referer), kOwnFoldWidth);
  AddLine(r, std::string("User-Agent: ") + kUserAgent, kOwnFoldWidth);
  if (!stored.empty()) {
    if (!storedPlaced) AddLine(r, "Cookie: " + stored, kOwnFoldWidth);
    r += "Cookie2: $Version=\"1\"\r\n";
  }
  if (ViaProxy(url)) r += ProxyAuthorizationLine(Proxy);
  return r + "\r\n";
}

bool TIdHTTP::Impl::Connect(const TUrl& url) {
  const int port = url.EffectivePort();
  const bool secure = url.Protocol == L"https";
  const std::wstring site = url.Protocol + L"://" + url.Host + L":" + std::to_wstring(port);
  const std::wstring to = ViaProxy(url)         ? L"proxy " + Proxy.HostPort()
                         : Proxy.Enabled() ? L"tunnel " + Proxy.HostPort() + L" " + site
                                           : site;
  if (Connection.IsOpen() && !SameText(ConnectedTo, to)) Connection.Close();
  if (Connection.IsOpen() && Connection.IsStale()) Connection.Close();
  if (Connection.IsOpen()) return true;
  if (!Proxy.Enabled()) {
    Connection.Open(ToAscii7(url.Host), port);
  } else {
    try {
      Connection.Open(ToAscii7(Proxy.Host), Proxy.Port);
    } catch (const EIdSocketError& e) {
      const std::wstring origin = Proxy.Origin.empty() ? L"" : L" (" + Proxy.Origin + L")";
      throw EIdSocketError(L"Proxy " + Proxy.HostPort() + origin + L": " + e.Message(), e.ErrorCode());
    }
    // Before anything else: the tunnel carries the whole exchange with the site.
    if (!ViaProxy(url)) OpenTunnel(Connection, Proxy, ToAscii7(url.BracketedHost()), port);
  }
  if (secure) Connection.StartTls(ToAscii7(url.Host), TrustedRoots.get());
  ConnectedTo = to;
  return false;
}

THttpReplyHead TIdHTTP::Impl::Exchange(const TUrl& url) {
  if (Chooser) Proxy = Chooser->ProxyFor(url);
  std::string request = BuildRequest(url);
  bool reused = Connect(url);
  try {
    Connection.DiscardBuffered();
    Connection.Send(request);
    return ReadReplyHead(Connection);
  } catch (const EIdSocketError&) {
    // A kept-alive connection the server dropped just as the request went out:
    // nothing of the reply came, so the request is sent once more on a new one.
    if (!reused || Connection.ReceivedSinceSend() != 0) throw;
    Connection.Close();
    Connect(url);
    Connection.Send(request);
    return ReadReplyHead(Connection);
  }
}

void TIdHTTP::Impl::TakeCookies(const THttpReplyHead& head, const TUrl& url) {
  std::lock_guard<std::mutex> hold(Cookies->Lock);
  TCookieStore::Origin origin;
  int64_t now = 0;
  for (const auto& [name, value] : head.Headers) {
    std::string lower = LowerAscii(name);
    if (lower != "set-cookie" && lower != "set-cookie2") continue;
    if (now == 0) {
      origin = OriginOf(url);
      now = UnixNow();
    }
    Cookies->Store.SetCookieHeader(value, lower == "set-cookie2", origin, now);
  }
}

bool TIdHTTP::Impl::DiscardBody(const THttpReplyHead& head) {
  try {
    return ReadReplyBody(Connection, head, {[](const char*, size_t) {}}, false, kMaxDiscardedBody);
  } catch (const EIdException&) {
    // Too long or badly framed: its end is not worth finding.
    Connection.Close();
    return true;
  }
}

void TIdHTTP::Impl::Perform(const std::wstring& address, const TBodySink& sink, std::string* charset,
                            uint64_t limit) {
  TUrl url = ResolveUrl(address, Previous);
  for (int redirects = 0;;) {
    if (url.Protocol != L"http" && url.Protocol != L"https") throw EIdException(L"Protocol not supported: " + url.Protocol);
    if (!IsValidHostName(url.Host)) {
      const std::wstring message = L"Invalid host name in address: " + Printable(url.Host);
      if (redirects > 0) throw EIdBrokenReply(message);
      throw EIdException(message);
    }
    Previous = url;
    THttpReplyHead head = Exchange(url);
    TakeCookies(head, url);
    std::string named = CharsetOfContentType(head.Value("Content-Type"));
    if (charset) *charset = named.empty() ? LastCharset : named;
    if (!named.empty()) LastCharset = named;

    std::string connection = LowerAscii(TrimAscii(head.Value("Connection")));
    std::string proxyConnection = LowerAscii(TrimAscii(head.Value("Proxy-Connection")));
    bool close = connection == "close" || proxyConnection == "close";
    std::string location = head.Value("Location");
    bool redirect = (head.Code >= 300 && head.Code <= 399 && head.Code != 304) ||
                    (head.Code != 201 && head.Has("Location"));
    // A redirect that names no target leads nowhere: report its status instead.
    if (redirect && location.empty()) redirect = false;

    if (redirect) {
      if (head.ExpectsBody() && !Connection.WaitReadable(kRedirectBodyWaitMs)) close = true;
      else close |= DiscardBody(head);
      if (close) Connection.Close();
      // Ending quietly here would pass an empty page or photo off as the real one.
      if (++redirects >= kRedirectLimit) throw EIdException(L"Too many redirects.");
      url = ResolveUrl(Latin1ToWide(location), url);
      continue;
    }
    if (head.Code < 200 || head.Code > 299) {
      try {
        close |= DiscardBody(head);
      } catch (const Exception&) {
        // A broken body must not hide the status the server reported.
        close = true;
      }
      if (close) Connection.Close();
      // Only the proxy asks for the proxy's login.
      if (head.Code == 407 && ViaProxy(url))
        throw EIdHTTPProtocolException(ProxyRefusal(head.StatusLine), head.Code, head.Value("Retry-After"));
      throw EIdHTTPProtocolException(Latin1ToWide(head.StatusLine), head.Code, head.Value("Retry-After"));
    }
    try {
      close |= ReadReplyBody(Connection, head, sink, true, limit);
    } catch (...) {
      // The caller's stream failed mid-body: the rest of it must not pass for the next reply.
      Connection.Close();
      throw;
    }
    // A body that runs to the close would pass for whole when an abort cut it.
    if (Connection.Aborted()) RaiseSocketError(10053);  // WSAECONNABORTED
    if (close) Connection.Close();
    return;
  }
}

TIdHTTP::TIdHTTP(TComponent* AOwner) : TComponent(AOwner), FImpl(std::make_unique<Impl>()) {}

TIdHTTP::~TIdHTTP() = default;

std::wstring TIdHTTP::Get(const std::wstring& AURL) {
  std::string body, charset;
  FImpl->Perform(AURL, {[&](const char* data, size_t n) { body.append(data, n); }}, &charset, kMaxTextBody);
  return DecodeText(body, charset);
}

void TIdHTTP::Get(const std::wstring& AURL, TStream& AStream) {
  TBodySink sink{[&](const char* data, size_t n) { AStream.WriteBuffer(data, static_cast<int64_t>(n)); },
                 dynamic_cast<IBodySpace*>(&AStream)};
  FImpl->Perform(AURL, sink, nullptr, kMaxStreamBody);
}

std::wstring TIdHTTP::Address() const { return FImpl->Previous.ToString(); }

void TIdHTTP::SetReferer(const std::wstring& AValue) { FImpl->Referer = AValue; }

const std::wstring& TIdHTTP::Referer() const { return FImpl->Referer; }

void TIdHTTP::SetCustomHeader(const std::wstring& AName, const std::wstring& AValue) {
  auto& list = FImpl->CustomHeaders;
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (SameText(it->first, AName)) {
      if (AValue.empty()) list.erase(it);
      else it->second = AValue;
      return;
    }
  }
  if (!AValue.empty()) list.emplace_back(AName, AValue);
}

void TIdHTTP::SetLoginCookies(std::vector<TCookie> ACookies) { FImpl->Login = std::move(ACookies); }

const std::vector<TCookie>& TIdHTTP::LoginCookies() const { return FImpl->Login; }

std::wstring TIdHTTP::CustomHeader(const std::wstring& AName) const {
  for (const auto& [name, value] : FImpl->CustomHeaders)
    if (SameText(name, AName)) return value;
  return {};
}

void TIdHTTP::SetReadTimeout(int AMilliseconds) {
  FImpl->TimeoutMs = AMilliseconds;
  FImpl->Connection.SetTimeout(AMilliseconds);
}

void TIdHTTP::Disconnect() { FImpl->Connection.Close(); }

void TIdHTTP::SetProxy(const TProxy& AProxy) {
  FImpl->Connection.Close();
  FImpl->Proxy = AProxy;
  FImpl->Chooser.reset();
}

void TIdHTTP::SetProxyChooser(std::shared_ptr<IProxyChooser> AChooser) {
  FImpl->Connection.Close();
  FImpl->Proxy = {};
  FImpl->Chooser = std::move(AChooser);
}

TProxy TIdHTTP::ProxyFor(const std::wstring& AURL) { return FImpl->ProxyFor(ParseUrl(AURL)); }

void TIdHTTP::SetTrustedRoots(std::shared_ptr<const TTrustedRoots> ARoots) {
  FImpl->Connection.Close();
  FImpl->TrustedRoots = std::move(ARoots);
}

void TIdHTTP::ShareSettingsFrom(TIdHTTP& AOther) {
  SetTrustedRoots(AOther.FImpl->TrustedRoots);
  FImpl->CustomHeaders = AOther.FImpl->CustomHeaders;
  FImpl->Login = AOther.FImpl->Login;
  SetReadTimeout(AOther.FImpl->TimeoutMs);
  SetProxy(AOther.FImpl->Proxy);
  if (AOther.FImpl->Chooser) SetProxyChooser(AOther.FImpl->Chooser);
  FImpl->LastCharset = AOther.FImpl->LastCharset;
  FImpl->Cookies = AOther.FImpl->Cookies;
}

void TIdHTTP::EnableAbort() { FImpl->Connection.EnableAbort(); }

void TIdHTTP::Abort() { FImpl->Connection.Abort(); }

}  // namespace talvik::net
