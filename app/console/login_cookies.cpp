#include "app/console/login_cookies.h"

#include <ctime>

#include "browsers/browser_error.h"
#include "browsers/browser_login.h"
#include "browsers/cookie_match.h"
#include "framework/sysutils.h"

namespace talvik::app {

std::wstring LoginCookieLine(const std::vector<net::TCookie>& ACookies, const std::wstring& AUrl, int64_t ANow) {
  std::string line;
  for (const net::TCookie& c : browsers::CookiesForAddress(ACookies, AUrl, ANow))
    line += (line.empty() ? "" : "; ") + c.Name + "=" + c.Value;
  return Utf8ToWide(line);
}

std::vector<net::TCookie> BrowserLogin(const std::wstring& ASpec, const std::wstring& AUrl) {
  browsers::TBrowserRequest request;
  std::wstring problem;
  if (!browsers::ParseBrowserRequest(ASpec, request, problem)) throw browsers::EBrowserCookies(problem);
  browsers::TCookieSource from;
  const auto now = static_cast<int64_t>(std::time(nullptr));
  std::vector<net::TCookie> cookies = browsers::SiteCookiesFromBrowser(request, AUrl, now, &from);
  if (LoginCookieLine(cookies, AUrl, now).empty())
    throw browsers::EBrowserCookies(from.Browser + L": " + from.File + L" holds no cookie for " + AUrl +
                                    L": log in to the site with that browser first, or name another one");
  return cookies;
}

std::vector<net::TCookie> NetLoginCookies(std::vector<net::TCookie> ABrowserCookies) {
  for (net::TCookie& c : ABrowserCookies) {
    c.HostOnly = browsers::IsHostOnly(c);
    if (c.HostOnly) c.Domain = "." + c.Domain;
  }
  return ABrowserCookies;
}

}  // namespace talvik::app
