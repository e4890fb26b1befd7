// How a login read from a browser reaches the HTTP client: the one place
// where cookies with their own domain, path and Secure attributes are handed over.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "net/cookie_store.h"
#include "net/idhttp.h"

namespace talvik::app {

// The "Cookie" line of a request to AUrl: the name=value pairs of the cookies it
// carries at ANow (domain, path, expiry, Secure), joined by "; ".
std::wstring LoginCookieLine(const std::vector<net::TCookie>& ACookies, const std::wstring& AUrl, int64_t ANow);

// Gives AHttp the login for the site of AUrl.
void GiveLoginCookies(net::TIdHTTP& AHttp, const std::vector<net::TCookie>& ACookies, const std::wstring& AUrl);

}  // namespace talvik::app
