// The proxy texts of Windows' Internet settings: a proxy list such as
// "proxy:3128" or "http=a:80;https=b:443", and a bypass list such as
// "*.intra.example;10.*;<local>".
#pragma once
#include <string>

#include "net/proxy.h"
#include "net/url.h"

namespace talvik::net {

// The list's proxy for AProtocol ("http" or "https"): an entry named for that
// protocol, else the first entry named for none. No host when none applies.
TProxy ProxyFromList(const std::wstring& AList, const std::wstring& AProtocol);

// True when AUrl's host is on the bypass list: entries separated by ";",
// "," or spaces, "*" standing for any run of characters, an optional
// "protocol://" and ":port", and "<local>" for every host name without a dot.
bool BypassesProxy(const std::wstring& ABypassList, const TUrl& AUrl);

}  // namespace talvik::net
