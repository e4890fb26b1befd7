// The login cookie taken from a browser's cookie export (Netscape cookies.txt).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace talvik::app {

// The host of an address, in lower case: "http://User@Www.T.cn:8080/a?b" gives "www.t.cn".
std::wstring AddressHost(std::wstring_view AUrl);

// The name=value pairs, joined by "; ", of the cookies of AText that a browser
// would show a page of AUrl: domain matching the host, not expired at ANow
// (seconds since 1970), secure ones only for https addresses.
std::wstring CookiesForAddress(std::wstring_view AText, std::wstring_view AUrl, int64_t ANow);

}  // namespace talvik::app
