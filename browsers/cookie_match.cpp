#include "browsers/cookie_match.h"

#include "framework/sysutils.h"

namespace talvik::browsers {

namespace {

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

}  // namespace

TCookieAddress CookieAddressOf(const std::wstring& AUrl) {
  const std::string url = WideToUtf8(Trim(AUrl));
  TCookieAddress address;
  size_t start = url.find("://");
  address.Https = start != std::string::npos && Lower(url.substr(0, start)) == "https";
  start = start == std::string::npos ? 0 : start + 3;
  const size_t end = url.find_first_of("/?#", start);
  std::string authority = url.substr(start, end == std::string::npos ? std::string::npos : end - start);
  const size_t at = authority.rfind('@');
  if (at != std::string::npos) authority.erase(0, at + 1);
  if (!authority.empty() && authority[0] == '[') {
    authority = authority.substr(0, authority.find(']') + 1);
  } else {
    authority = authority.substr(0, authority.find(':'));
  }
  address.Host = Lower(authority);
  if (end != std::string::npos && url[end] == '/') {
    const size_t pathEnd = url.find_first_of("?#", end);
    address.Path = url.substr(end, pathEnd == std::string::npos ? std::string::npos : pathEnd - end);
  }
  return address;
}

bool DomainMatches(const net::TCookie& ACookie, const std::string& AHost) {
  const std::string domain = Lower(ACookie.Domain);
  if (IsHostOnly(ACookie)) return !domain.empty() && domain == AHost;
  const std::string bare = domain.substr(1);
  if (bare.empty()) return false;
  if (AHost == bare) return true;
  return AHost.size() > domain.size() && AHost.compare(AHost.size() - domain.size(), domain.size(), domain) == 0;
}

std::vector<std::string> HostKeysFor(const std::string& AHost) {
  std::vector<std::string> keys{AHost};
  for (size_t at = 0; at != std::string::npos && at < AHost.size(); at = AHost.find('.', at + 1))
    keys.push_back(at == 0 ? "." + AHost : AHost.substr(at));
  return keys;
}

std::string SqlList(const std::vector<std::string>& AValues) {
  std::string list;
  for (const std::string& v : AValues) {
    list += list.empty() ? "('" : ", '";
    for (char c : v) list += c == '\'' ? std::string("''") : std::string(1, c);
    list += "'";
  }
  return list.empty() ? "()" : list + ")";
}

bool PathMatches(const std::string& ACookiePath, const std::string& ARequestPath) {
  const std::string cookiePath = ACookiePath.empty() ? "/" : ACookiePath;
  if (ARequestPath.compare(0, cookiePath.size(), cookiePath) != 0) return false;
  return ARequestPath.size() == cookiePath.size() || cookiePath.back() == '/' || ARequestPath[cookiePath.size()] == '/';
}

std::vector<net::TCookie> CookiesForAddress(const std::vector<net::TCookie>& ACookies, const std::wstring& AUrl,
                                            int64_t ANow) {
  const TCookieAddress address = CookieAddressOf(AUrl);
  std::vector<net::TCookie> matching;
  for (const net::TCookie& c : ACookies) {
    if (c.HasExpiry && c.Expires <= ANow) continue;
    if (c.Secure && !address.Https) continue;
    if (!DomainMatches(c, address.Host) || !PathMatches(c.Path, address.Path)) continue;
    matching.push_back(c);
  }
  return matching;
}

}  // namespace talvik::browsers
