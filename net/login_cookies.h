// The user's login for a site, kept to that site.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "net/cookie_store.h"

namespace talvik::net {

// The cookies of a Cookie line as a browser sends it ("name=value; name2=value2"),
// for the site of AAddress only: its registrable domain and the subdomains (the
// host alone for an IP address), and over https only when AAddress is https.
// Characters outside ASCII become "?", as they would on the wire.
std::vector<TCookie> LoginCookiesFor(const std::wstring& ACookieText, const std::wstring& AAddress);

// The "Cookie" value of the cookies among ACookies that a request to ARequest
// gets at ANow, more specific paths first; empty when none does.
std::string LoginLineFor(const std::vector<TCookie>& ACookies, const TCookieStore::Origin& ARequest, int64_t ANow);

}  // namespace talvik::net
