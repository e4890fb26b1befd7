#include "net/proxy.h"

#include <cwctype>

#include "framework/sysutils.h"
#include "net/connection.h"
#include "net/http_reply.h"
#include "net/idhttp.h"
#include "net/url.h"

namespace talvik::net {

namespace {

std::string Base64(const std::string& bytes) {
  static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t v = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 2]);
    out += digits[v >> 18];
    out += digits[(v >> 12) & 63];
    out += i + 1 < bytes.size() ? digits[(v >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? digits[v & 63] : '=';
  }
  return out;
}

int HexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// "%XX" decoded into bytes read as UTF-8, so that "@", ":" and non-ASCII can be in a login.
bool DecodeLogin(const std::wstring& text, std::wstring& out) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'%') {
      bytes += WideToUtf8(std::wstring(1, text[i]));
      continue;
    }
    if (i + 2 >= text.size() || HexValue(text[i + 1]) < 0 || HexValue(text[i + 2]) < 0) return false;
    bytes += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
    i += 2;
  }
  out = Utf8ToWide(bytes);
  return true;
}

}  // namespace

std::wstring ProxyTextForMessages(const std::wstring& AText) {
  const size_t at = AText.rfind(L'@');
  if (at == std::wstring::npos) return AText;
  const size_t scheme = AText.find(L"://");
  const size_t loginStart = scheme == std::wstring::npos || scheme > at ? 0 : scheme + 3;
  const size_t colon = AText.find(L':', loginStart);
  if (colon == std::wstring::npos || colon > at) return AText;
  return AText.substr(0, colon + 1) + L"***" + AText.substr(at);
}

bool ParseProxyUrl(const std::wstring& AText, TProxy& AProxy, std::wstring& AReason) {
  const std::wstring shown = ProxyTextForMessages(AText);
  AReason = L"a proxy is given as http://[user:password@]host:port, not \"" + shown + L"\"";
  std::wstring rest = Trim(AText);
  const size_t scheme = rest.find(L"://");
  if (scheme != std::wstring::npos) {
    std::wstring name = rest.substr(0, scheme);
    for (auto& c : name) c = static_cast<wchar_t>(towlower(c));
    if (name != L"http") {
      AReason = L"only an http:// proxy can be used, not \"" + shown + L"\"";
      return false;
    }
    rest = rest.substr(scheme + 3);
  }
  if (!rest.empty() && rest.back() == L'/') rest.pop_back();
  TProxy proxy;
  const size_t at = rest.rfind(L'@');
  if (at != std::wstring::npos) {
    const std::wstring login = rest.substr(0, at);
    const size_t colon = login.find(L':');
    if (!DecodeLogin(login.substr(0, colon), proxy.User) ||
        (colon != std::wstring::npos && !DecodeLogin(login.substr(colon + 1), proxy.Password)))
      return false;
    rest = rest.substr(at + 1);
  }
  const size_t colon = rest.rfind(L':');
  if (colon == std::wstring::npos || colon == 0 || rest.find_first_of(L"/?#@ ") != std::wstring::npos) return false;
  const std::wstring port = rest.substr(colon + 1);
  if (port.empty() || port.size() > 5 || port.find_first_not_of(L"0123456789") != std::wstring::npos) return false;
  proxy.Port = std::stoi(port);
  if (proxy.Port < 1 || proxy.Port > 65535) return false;
  proxy.Host = rest.substr(0, colon);
  if (!IsValidHostName(proxy.Host)) return false;
  AProxy = proxy;
  AReason.clear();
  return true;
}

std::string ProxyAuthorizationLine(const TProxy& AProxy) {
  if (!AProxy.HasLogin()) return {};
  return "Proxy-Authorization: Basic " + Base64(WideToUtf8(AProxy.User + L":" + AProxy.Password)) + "\r\n";
}

std::wstring ProxyRefusal(const std::string& AStatusLine) {
  // The status line without its version: "407 Proxy Authentication Required".
  const size_t space = AStatusLine.find(' ');
  const std::string status = space == std::string::npos ? AStatusLine : AStatusLine.substr(space + 1);
  return L"Proxy refused: " + std::wstring(status.begin(), status.end());
}

void OpenTunnel(TTcpConnection& AConnection, const TProxy& AProxy, const std::string& AHost, int APort) {
  const std::string target = AHost + ":" + std::to_string(APort);
  THttpReplyHead head;
  // Whatever goes wrong here is the proxy's doing, and the message says which proxy.
  const std::wstring proxy = L"Proxy " + AProxy.HostPort() + L": ";
  try {
    AConnection.Send("CONNECT " + target + " HTTP/1.1\r\nHost: " + target + "\r\n" + ProxyAuthorizationLine(AProxy) +
                     "\r\n");
    head = ReadReplyHead(AConnection);
  } catch (const EIdSocketError& e) {
    throw EIdSocketError(proxy + e.Message(), e.ErrorCode());
  } catch (const EIdReadTimeout& e) {
    throw EIdReadTimeout(proxy + e.Message());
  } catch (const EIdBrokenReply& e) {
    throw EIdBrokenReply(proxy + e.Message());
  }
  if (head.Code >= 200 && head.Code <= 299) return;
  // The refusal's body is the proxy's, and the connection is of no further use.
  AConnection.Close();
  throw EIdHTTPProtocolException(ProxyRefusal(head.StatusLine), head.Code, head.Value("Retry-After"));
}

}  // namespace talvik::net
