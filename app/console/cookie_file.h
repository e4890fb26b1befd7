// The login cookie taken from a browser's cookie export (Netscape cookies.txt).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "net/cookie_store.h"

namespace talvik::app {

// The host of an address, in lower case: "http://User@Www.T.cn:8080/a?b" gives "www.t.cn".
std::wstring AddressHost(std::wstring_view AUrl);

// The cookies of AText whose domain matches the host of AUrl and that have not
// expired at ANow (seconds since 1970), each with its own domain (host only
// unless the line includes subdomains), path, Secure flag and expiry.
std::vector<net::TCookie> CookiesForAddress(std::wstring_view AText, std::wstring_view AUrl, int64_t ANow);

}  // namespace talvik::app
