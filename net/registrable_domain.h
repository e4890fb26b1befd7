// How far a site reaches: the part of a host name that one owner registered.
#pragma once
#include <string>

namespace talvik::net {

// The registrable domain of AHost in lower case: "talvik.com" for
// "www.photos.talvik.com", "talvik.com.cn" for "www.talvik.com.cn" (a short list of
// country second levels such as co.uk and com.cn stands in for the public-suffix
// list), "localhost" for "localhost". Empty where the host owns nothing beyond
// itself: an IP address, a single name other than localhost, or a public suffix.
std::string RegistrableDomain(const std::string& AHost);

// A dotted IPv4 address or a bracketed or bare IPv6 one.
bool IsIpLiteral(const std::string& AHost);

}  // namespace talvik::net
