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

// The login of --cookies-from-browser ASpec (NAME[:PROFILE]) for the site of AUrl,
// read before any request. A browser that holds none for the site is a failure
// too (EBrowserCookies): the run would only find an empty album.
std::vector<net::TCookie> BrowserLogin(const std::wstring& ASpec, const std::wstring& AUrl);

// A browser's cookies as the client keeps a login: a host key without its
// leading "." is a cookie for that host alone.
std::vector<net::TCookie> NetLoginCookies(std::vector<net::TCookie> ABrowserCookies);

}  // namespace talvik::app
