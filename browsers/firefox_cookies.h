// The cookies of a Firefox profile (its cookies.sqlite).
#pragma once
#include <string>
#include <vector>

#include "net/cookie_store.h"

namespace talvik::browsers {

// The cookies of the database that AHost would get by their domain (all when
// AHost is empty); failures raise EBrowserCookies naming ABrowser and the file.
std::vector<net::TCookie> ReadFirefoxCookies(const std::wstring& ABrowser, const std::wstring& AProfileFolder,
                                        const std::string& AHost = {});

// Firefox writes expiry in seconds, and in milliseconds from version 135 on;
// seconds this large would lie thousands of years ahead.
int64_t FirefoxExpirySeconds(int64_t AExpiry);

}  // namespace talvik::browsers
