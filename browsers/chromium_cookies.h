// The cookies of a profile of the Chromium family (Edge, Chrome, Brave, ...).
#pragma once
#include <string>
#include <vector>

#include "net/cookie_store.h"

namespace talvik::browsers {

// The cookies of the profile's database that AHost would get by their domain
// (all when AHost is empty), decrypted with the key of AUserData's
// "Local State"; failures raise EBrowserCookies naming ABrowser and the file.
std::vector<net::TCookie> ReadChromiumCookies(const std::wstring& ABrowser, const std::wstring& AUserData,
                                              const std::wstring& AProfileFolder,
                                        const std::string& AHost = {});

// Where the profile keeps its cookies: Network\Cookies, or Cookies in older versions.
std::wstring ChromiumCookieFile(const std::wstring& AProfileFolder);

// Seconds since 1970 of Chromium's microseconds since 1601.
int64_t ChromiumTimeToUnix(int64_t AMicroseconds);

}  // namespace talvik::browsers
