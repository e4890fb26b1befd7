// The HTTP client through which every request of the process goes: HTTP/1.1 GET,
// plain or over TLS, on one reused Winsock connection, with a cookie store and redirects.
#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/classes.h"
#include "framework/streams.h"
#include "framework/sysutils.h"
#include "net/cookie_store.h"
#include "net/proxy.h"
#include "net/tls_trust.h"

namespace talvik::net {

// A reply with an error status: the message is the whole status line.
class EIdHTTPProtocolException : public Exception {
public:
  EIdHTTPProtocolException(std::wstring statusLine, int code, std::string retryAfter = {})
      : Exception(std::move(statusLine)), FCode(code), FRetryAfter(std::move(retryAfter)) {}
  int ErrorCode() const { return FCode; }
  // The reply's "Retry-After" value, as sent; empty when it had none.
  const std::string& RetryAfter() const { return FRetryAfter; }

private:
  int FCode;
  std::string FRetryAfter;
};

// "Socket Error # N" CR LF + text, and "Connection Closed Gracefully." (number 0).
class EIdSocketError : public Exception {
public:
  explicit EIdSocketError(std::wstring message, int code = 0) : Exception(std::move(message)), FCode(code) {}
  int ErrorCode() const { return FCode; }

private:
  int FCode;
};

// Failures of the client itself, such as an address of a protocol it does not speak.
class EIdException : public Exception {
public:
  using Exception::Exception;
};

// The server stayed silent for longer than the read timeout.
class EIdReadTimeout : public EIdException {
public:
  using EIdException::EIdException;
};

// A reply that breaks its own framing or header rules, or ends early.
class EIdBrokenReply : public EIdException {
public:
  using EIdException::EIdException;
};

// A TLS handshake that failed or a server certificate that is not trusted: the
// same server will fail the same way on the next try.
class EIdTlsError : public EIdException {
public:
  using EIdException::EIdException;
};

// A reply body beyond the client's limit; nothing of it is handed on past the limit.
class EIdReplyTooLarge : public EIdException {
public:
  using EIdException::EIdException;
};

// A stream handed to the stream GET may also lend its own memory, so that a large
// body is received straight into it rather than copied there.
class IBodySpace {
public:
  // Room for up to AWanted more bytes at the end of the stream; nullptr for none.
  virtual char* BodySpace(size_t AWanted, size_t& ARoom) = 0;
  // The first ACount bytes of that room now hold body bytes.
  virtual void BodySpaceFilled(size_t ACount) = 0;

protected:
  ~IBodySpace() = default;
};

class TIdHTTP : public TComponent {
public:
  TALVIK_CLASS_NAME(TIdHTTP)
  explicit TIdHTTP(TComponent* AOwner = nullptr);
  ~TIdHTTP() override;

  // Text GET: the body decoded by the reply's (or the last named) charset.
  std::wstring Get(const std::wstring& AURL);
  // Stream GET: appends the raw body to AStream.
  void Get(const std::wstring& AURL, TStream& AStream);

  // The address of the last request, redirects followed: where its page stands.
  std::wstring Address() const;

  // The "Referer" of every later request; never cleared by the client.
  void SetReferer(const std::wstring& AValue);
  const std::wstring& Referer() const;

  // The request's custom header list, sent with every request to every host.
  // SetCustomHeader replaces the line or adds it; an empty value removes it.
  void SetCustomHeader(const std::wstring& AName, const std::wstring& AValue);
  std::wstring CustomHeader(const std::wstring& AName) const;

  // The user's login: each cookie goes only where its domain, path, Secure flag
  // and expiry let it (see LoginCookiesFor for a login given as a Cookie line).
  // Where some apply, they make the request's "Cookie" line, in the place and
  // folding of a custom one, until cookies the sites set apply instead.
  void SetLoginCookies(std::vector<TCookie> ACookies);
  const std::vector<TCookie>& LoginCookies() const;

  // How long connecting and each wait for data may last, in milliseconds; 0 (the
  // default) waits for as long as the system lets it.
  void SetReadTimeout(int AMilliseconds);

  // Closes the open connection, if any.
  void Disconnect();

  // Every later request goes through this proxy: plain-http ones in absolute
  // form, https ones through a CONNECT tunnel. A proxy without host means none.
  void SetProxy(const TProxy& AProxy);
  // Every later request goes through the proxy AChooser names for its address
  // (such as the one set in Windows), or direct where it names none.
  void SetProxyChooser(std::shared_ptr<IProxyChooser> AChooser);
  // The proxy a request to AURL would go through; no host: none.
  TProxy ProxyFor(const std::wstring& AURL);

  // Certificates that https servers' chains may lead to besides the system's
  // roots; null for none.
  void SetTrustedRoots(std::shared_ptr<const TTrustedRoots> ARoots);

  // For a sibling client that works beside this one: takes its custom headers,
  // login, timeout, proxy, trusted roots and last charset, and from now on both use one cookie store.
  void ShareSettingsFrom(TIdHTTP& AOther);

  // Lets Abort end a request under way; waits for the server then look for it
  // every tenth of a second.
  void EnableAbort();
  // From any thread: the request under way fails, and so does every later one.
  void Abort();

private:
  struct Impl;
  std::unique_ptr<Impl> FImpl;
};

}  // namespace talvik::net
