// Which of a browser's cookies a page gets, by the rules browsers keep.
//
// The cookies are net::TCookie with one convention of this folder: Domain is
// the browser's own "host key": with a leading "." for a domain cookie (the
// host and its subdomains), without one for a host-only cookie (that exact
// host). HasExpiry false marks a session cookie.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "net/cookie_store.h"

namespace talvik::browsers {

inline bool IsHostOnly(const net::TCookie& ACookie) { return ACookie.Domain.empty() || ACookie.Domain[0] != '.'; }

// The parts of an address that cookies are matched against.
struct TCookieAddress {
  std::string Host;  // lower case
  std::string Path = "/";
  bool Https = false;
};
TCookieAddress CookieAddressOf(const std::wstring& AUrl);

bool DomainMatches(const net::TCookie& ACookie, const std::string& AHost);
// Every host key whose cookies AHost gets: the host itself (host-only) and
// "." before it and before each domain above it ("www.t.cn": "www.t.cn",
// ".www.t.cn", ".t.cn", ".cn"). Lets a query take only the site's rows.
std::vector<std::string> HostKeysFor(const std::string& AHost);
// The keys as an SQL list: ('a', 'b').
std::string SqlList(const std::vector<std::string>& AValues);
bool PathMatches(const std::string& ACookiePath, const std::string& ARequestPath);

// The cookies that a request to AUrl carries at ANow (seconds since 1970):
// domain and path match, not expired, Secure ones only over https.
std::vector<net::TCookie> CookiesForAddress(const std::vector<net::TCookie>& ACookies, const std::wstring& AUrl,
                                            int64_t ANow);

}  // namespace talvik::browsers
