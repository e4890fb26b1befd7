// The login cookies of a site, taken from the browsers of the Windows user.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "browsers/browser_profiles.h"
#include "net/cookie_store.h"

namespace talvik::browsers {

// "NAME" or "NAME:PROFILE" of --cookies-from-browser; false with the reason in AProblem.
struct TBrowserRequest {
  std::wstring Name;  // a known browser's name, or "default"
  std::wstring Profile;
};
bool ParseBrowserRequest(const std::wstring& AText, TBrowserRequest& ARequest, std::wstring& AProblem);

// The names --cookies-from-browser takes, for usage texts.
extern const wchar_t kBrowserNames[];

// The cookies of the browser's profile that belong to the site of AUrl (its
// host and the domains above it) and have not expired at ANow; they keep their
// own domain, path and Secure attributes (see cookie_match.h). Raises
// EBrowserCookies with one line naming the browser and the file.
// AFrom, when given, learns the browser's title and the file read.
struct TCookieSource {
  std::wstring Browser, File;
};
std::vector<net::TCookie> SiteCookiesFromBrowser(const TBrowserRequest& ARequest, const std::wstring& AUrl,
                                                 int64_t ANow, TCookieSource* AFrom = nullptr);

struct TFoundLogin {
  std::wstring Browser;  // the title of the browser the login came from; empty: none had one
  std::vector<net::TCookie> Cookies;
  std::vector<std::wstring> Problems;  // why installed browsers gave nothing, one line each
};

// The default browser first, then the others in KnownBrowsers' order: the
// first whose default profile holds a cookie that a request to AUrl carries.
TFoundLogin FindSiteLogin(const std::wstring& AUrl, int64_t ANow);

}  // namespace talvik::browsers
