#include "net/url.h"

#include <cwctype>

#include "net/idhttp.h"

namespace talvik::net {

namespace {

std::wstring Lower(std::wstring s) {
  for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
  return s;
}

void SplitPath(const std::wstring& full, TUrl& url) {
  size_t slash = full.rfind(L'/');
  if (slash == std::wstring::npos) {
    url.Path.clear();
    url.Document = full;
  } else {
    url.Path = full.substr(0, slash + 1);
    url.Document = full.substr(slash + 1);
  }
}

int ParsePort(const std::wstring& text) {
  if (text.empty() || text.size() > 5) throw EIdException(L"Invalid port number: " + text);
  int port = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') throw EIdException(L"Invalid port number: " + text);
    port = port * 10 + (c - L'0');
  }
  if (port < 1 || port > 65535) throw EIdException(L"Invalid port number: " + text);
  return port;
}

}  // namespace

std::wstring TUrl::Target() const {
  std::wstring t = Path.empty() ? L"/" : Path;
  t += Document;
  if (HasQuery && !Query.empty()) t += L"?" + Query;
  return t;
}

std::wstring TUrl::BracketedHost() const {
  return Host.find(L':') == std::wstring::npos ? Host : L"[" + Host + L"]";
}

std::wstring TUrl::HostHeader() const {
  int port = EffectivePort();
  return port == (Protocol == L"https" ? 443 : 80) ? BracketedHost() : BracketedHost() + L":" + std::to_wstring(port);
}

std::wstring TUrl::ToString() const {
  std::wstring s;
  if (!Host.empty()) {
    s = (Protocol.empty() ? L"http" : Protocol) + L"://" + BracketedHost();
    if (Port) s += L":" + std::to_wstring(Port);
  }
  return s + Target();
}

TUrl ParseUrl(const std::wstring& AAddress) {
  TUrl url;
  std::wstring rest = AAddress.substr(0, AAddress.find(L'#'));
  size_t q = rest.find(L'?');
  if (q != std::wstring::npos) {
    url.HasQuery = true;
    url.Query = rest.substr(q + 1);
    rest.resize(q);
  }
  size_t scheme = rest.find(L"://");
  bool hasAuthority = false;
  if (scheme != std::wstring::npos && rest.find(L'/') > scheme) {
    url.Protocol = Lower(rest.substr(0, scheme));
    rest = rest.substr(scheme + 3);
    hasAuthority = true;
  } else if (rest.compare(0, 2, L"//") == 0) {
    rest = rest.substr(2);
    hasAuthority = true;
  }
  if (hasAuthority) {
    size_t slash = rest.find(L'/');
    std::wstring authority = rest.substr(0, slash);
    rest = slash == std::wstring::npos ? L"/" : rest.substr(slash);
    size_t at = authority.rfind(L'@');  // user information is never sent
    if (at != std::wstring::npos) authority = authority.substr(at + 1);
    // An IPv6 address stands in brackets, which keep its colons apart from the port's.
    const size_t close = authority.compare(0, 1, L"[") == 0 ? authority.find(L']') : std::wstring::npos;
    const size_t hostEnd = close == std::wstring::npos ? 0 : close + 1;
    size_t colon = authority.rfind(L':');
    if (colon != std::wstring::npos && colon >= hostEnd) {
      url.Port = ParsePort(authority.substr(colon + 1));
      authority.resize(colon);
    }
    url.Host = close == std::wstring::npos ? authority : authority.substr(1, close - 1);
  }
  SplitPath(rest, url);
  return url;
}

TUrl ResolveUrl(const std::wstring& AAddress, const TUrl& APrevious) {
  TUrl url = ParseUrl(AAddress);
  if (!url.Host.empty()) {
    if (url.Protocol.empty()) url.Protocol = APrevious.Protocol.empty() ? L"http" : APrevious.Protocol;
    if (url.Path.empty()) url.Path = L"/";
    return url;
  }
  url.Protocol = APrevious.Protocol;
  url.Host = APrevious.Host;
  url.Port = APrevious.Port;
  if (url.Path.empty() || url.Path[0] != L'/') url.Path = (APrevious.Path.empty() ? L"/" : APrevious.Path) + url.Path;
  return url;
}

bool IsValidHostName(const std::wstring& AHost) {
  if (AHost.empty() || AHost.size() > 255) return false;
  const bool literal6 = AHost.find(L':') != std::wstring::npos;
  for (wchar_t c : AHost) {
    const bool name = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'-' ||
                      c == L'.' || c == L'_';
    if (!name && !(literal6 && (c == L':' || c == L'[' || c == L']'))) return false;
  }
  return true;
}

std::wstring ResolveAddress(const std::wstring& AAddress, const std::wstring& ABase) {
  return ResolveUrl(AAddress, ParseUrl(ABase)).ToString();
}

std::string ToAscii7(const std::wstring& AText) {
  std::string out;
  out.reserve(AText.size());
  for (size_t i = 0; i < AText.size(); ++i) {
    wchar_t c = AText[i];
    if (c < 0x80 && c != L'\r' && c != L'\n' && c != 0) {
      out += static_cast<char>(c);
    } else {
      out += '?';
      // A surrogate pair is one character.
      if (c >= 0xD800 && c <= 0xDBFF && i + 1 < AText.size() && AText[i + 1] >= 0xDC00 && AText[i + 1] <= 0xDFFF) ++i;
    }
  }
  return out;
}

}  // namespace talvik::net
